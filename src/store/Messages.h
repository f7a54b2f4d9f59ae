#pragma once

// The refusals of the core's checks, word for word as the windows and vezal-cli show them.
namespace vezal::messages {

// Result entry, in the order the checks run.
inline constexpr const char16_t* kEntryDateTooEarly =
    u"01.01.2008 ve Önceki Tarihlere Giriş Yapamazsınız  ... ";
// A league named that klasman.dat does not list.
inline constexpr const char16_t* kNoSuchLeague = u"Lig listesinde böyle bir lig yok: %1";
inline constexpr const char16_t* kChooseLeague = u"Öncelikle Lig Seçimini Yapmalısınız  ... ";
inline constexpr const char16_t* kChooseHomeTeam = u"Ev Sahibi Takım Seçimini Yapmalısınız  ... ";
inline constexpr const char16_t* kChooseAwayTeam = u"Misafir Takım Seçimini Yapmalısınız  ... ";
inline constexpr const char16_t* kBadScore = u"Skoru Hatalı Girmiş Olabilirsiniz Kontrol Ediniz  ... ";
inline constexpr const char16_t* kSameTeams = u"Ev Sahibi ve Misafir Takım Aynı Olamaz, Kontrol Ediniz  ... ";
inline constexpr const char16_t* kMatchExists = u"Bu Maç Kaydedilmiş , Kontrol Ediniz  ... ";

// Team registration, in order.
inline constexpr const char16_t* kChooseTeamLeague = u"Öncelikle Takım Ekleyeceğiniz Ligi Seçmelisiniz  ... ";
inline constexpr const char16_t* kEnterTeamName = u"Ekleyeceğiniz Takımın Adını Girmelisiniz  ... ";
inline constexpr const char16_t* kEnterStartingPoints =
    u"Ekleyeceğiniz Takım için Başlangıç Puanı Girmelisiniz  ... ";
inline constexpr const char16_t* kTooManyPoints = u"Takım Puanı olarak en fazla 7 puan girebilirsiniz  ... ";
inline constexpr const char16_t* kTeamExists = u"Eklemek İstediğiniz Takım Zaten Mevcut  ... ";

// Deleting a team or a league that is not there.
inline constexpr const char16_t* kTeamNotInLeague =
    u"Silmek İstediğiniz Takım Bu Ligde Kayıtlı Değil, Kontrol Ediniz  ... ";
inline constexpr const char16_t* kLeagueNotListed =
    u"Silmek İstediğiniz Lig Listede Yok, Kontrol Ediniz  ... ";

// League list window: status-line warnings.
inline constexpr const char16_t* kLeagueNameEmpty = u"  Lig adını boş bırakmayınız ...";
inline constexpr const char16_t* kLeagueExists = u"  Bu Lig zaten kayıt edilmiş ...";
inline constexpr const char16_t* kLeaguePrefixTaken =
    u"  Tabloda lig adlarının ilk 20 karakteri tutulur; bu adın ilk 20 karakteri kayıtlı bir ligle aynı ...";
inline constexpr const char16_t* kImpossibleDate = u"Böyle bir tarih yok: %1 , Kontrol Ediniz  ... ";
inline constexpr const char16_t* kLeagueNameCut =
    u"  Lig adının yalnızca ilk 20 karakteri tabloda tutulur ...";

// A name that the Turkish code page of klasman.dat cannot hold would come back altered.
inline constexpr const char16_t* kTeamNameNotTurkish =
    u"Takım adında Türkçe kod sayfasında olmayan bir karakter var, Kontrol Ediniz  ... ";
inline constexpr const char16_t* kLeagueNameNotTurkish =
    u"  Lig adında Türkçe kod sayfasında olmayan bir karakter var ...";

// A line break in a league name would split it in two in klasman.dat; no name needs a control character.
inline constexpr const char16_t* kTeamNameHasControlCharacter =
    u"Takım adında satır sonu ya da kontrol karakteri olamaz, Kontrol Ediniz  ... ";
inline constexpr const char16_t* kLeagueNameHasControlCharacter =
    u"  Lig adında satır sonu ya da kontrol karakteri olamaz ...";

// A writer waiting for another process (the league list's lock, the database's write lock).
inline constexpr const char16_t* kWaitingForOther = u"Başka bir işlem sürüyor, bekleniyor ...";
inline constexpr const char16_t* kWaitCancelled =
    u"Başka bir işlemin bitmesi beklenmedi: iptal edildi, hiçbir şey değişmedi.";
inline constexpr const char16_t* kWaitTooLong =
    u"Başka bir işlem 10 dakikadır sürüyor; beklemekten vazgeçildi, hiçbir şey değişmedi.";

// A file that cannot be written whole for want of room.
inline constexpr const char16_t* kDiskFull = u"diskte yer kalmadı";

// Why the system refused a file or folder, in place of its English words.
inline constexpr const char16_t* kNoSuchFile = u"böyle bir dosya ya da klasör yok";
inline constexpr const char16_t* kNoPermission = u"erişim izni yok";
inline constexpr const char16_t* kNotPermitted = u"bu işleme izin verilmiyor";
inline constexpr const char16_t* kIsFolder = u"bu bir klasör, dosya değil";
inline constexpr const char16_t* kNotFolder = u"yoldaki bir ad klasör değil";
inline constexpr const char16_t* kFileExists = u"aynı adda bir dosya var";
inline constexpr const char16_t* kReadOnlyDisk = u"disk salt okunur";
inline constexpr const char16_t* kInputOutput = u"disk okunamadı ya da yazılamadı";
inline constexpr const char16_t* kNameTooLong = u"dosya adı çok uzun";
inline constexpr const char16_t* kTooManyFiles = u"aynı anda açık dosya çok fazla";
inline constexpr const char16_t* kBusy = u"dosya ya da aygıt kullanımda";
inline constexpr const char16_t* kFolderNotEmpty = u"klasör boş değil";
inline constexpr const char16_t* kOtherDisk = u"dosya başka bir diske taşınamaz";
inline constexpr const char16_t* kNoLock = u"dosya kilitlenemiyor";
inline constexpr const char16_t* kLinkLoop = u"yolda kendine dönen bağlantılar var";
inline constexpr const char16_t* kNoDevice = u"dosyanın aygıtı yok";
// The engine's reasons, the engine's own words after them.
inline constexpr const char16_t* kDatabaseBusy = u"veritabanını başka bir işlem kullanıyor";
inline constexpr const char16_t* kDatabaseFileDamaged = u"veritabanı dosyası bozuk";
inline constexpr const char16_t* kDatabaseCannotOpen = u"veritabanı dosyası açılamıyor";
inline constexpr const char16_t* kNotADatabase = u"dosya bir veritabanı değil";
inline constexpr const char16_t* kUnknownEngineError = u"bilinmeyen veritabanı hatası";
// Why a file cannot be made or changed though there is room. %1: the folder or the file.
inline constexpr const char16_t* kReadOnlyFolder = u"\"%1\" klasörü salt okunur";
inline constexpr const char16_t* kReadOnlyFileSystem = u"\"%1\" klasörü salt okunur bir dosya sisteminde";
inline constexpr const char16_t* kReadOnlyFile = u"\"%1\" dosyası salt okunur";
inline constexpr const char16_t* kNoAccess = u"\"%1\" için erişim izni yok";
// The engine refused a write to a file it has for reading only.
inline constexpr const char16_t* kDatabaseReadOnly = u"veritabanı salt okunur";
// A window that only changes the data, on a folder that cannot be written. %1: one of the above.
inline constexpr const char16_t* kDataReadOnly = u"Veriler değiştirilemez: %1  ... ";

// Leagues whose rows are in the table but not in klasman.dat (an import cut off between its commit and
// its list save): put back at the end of the list when the data is opened. %1: the names.
inline constexpr const char16_t* kLeaguesRelisted =
    u"Maçları tabloda olup lig listesinde (klasman.dat) olmayan lig listeye eklendi: %1";

// The database check. %1: the database file; %2: how many problems the engine named.
inline constexpr const char16_t* kDatabaseSound = u"sağlam";
inline constexpr const char16_t* kDatabaseChecked = u"\"%1\" veritabanı: %2";
inline constexpr const char16_t* kDatabaseDamaged = u"\"%1\" veritabanında %2 sorun bulundu:";
inline constexpr const char16_t* kDatabaseChecking = u"Veritabanı denetleniyor  ... ";
// What follows kDatabaseDamaged and the problems when the quick check at the start of an advice or a write
// found damage: nothing is advised or written then, and where to see the whole check.
inline constexpr const char16_t* kDamageStops = u"Hasarlı veritabanıyla tahmin yapılmaz, kayıt yazılmaz.";
inline constexpr const char16_t* kDamageSeeMenu = u"Ayrıntılar için: Dosya > Veritabanını Denetle ...";
inline constexpr const char16_t* kDamageSeeCheck = u"Ayrıntılar için: vezal-cli check";
// More problems than a refusal lists. %1: how many more.
inline constexpr const char16_t* kMoreProblems = u"... ve %1 sorun daha";

} // namespace vezal::messages
