#pragma once

// What reading a match file and importing it tell the user, word for word, in one place.
namespace vezal::messages {

// The file as a whole: nothing is imported.
inline constexpr const char16_t* kFileEmpty = u"Dosya boş: başlık satırı bulunamadı  ... ";
// %1: the missing columns, each with the header names that would do.
inline constexpr const char16_t* kColumnsMissing = u"Dosyanın başlık satırında şu sütunlar yok: %1  ... ";
inline constexpr const char16_t* kDateColumn = u"tarih (Date ya da Tarih)";
inline constexpr const char16_t* kHomeColumn = u"ev sahibi takım (HomeTeam, Home, HT ya da Ev Sahibi)";
inline constexpr const char16_t* kAwayColumn = u"misafir takım (AwayTeam, Away, AT ya da Misafir)";
inline constexpr const char16_t* kHomeGoalsColumn = u"ev sahibi golü (FTHG, HG ya da Ev Gol)";
inline constexpr const char16_t* kAwayGoalsColumn = u"misafir golü (FTAG, AG ya da Misafir Gol)";

// %1: the line where the quote opened.
inline constexpr const char16_t* kHeaderQuoteUnclosed =
    u"Başlık satırında kapanmayan tırnak var (satır %1): dosya okunamadı  ... ";
inline constexpr const char16_t* kHeaderTooLong = u"Başlık satırı 1 MB'tan uzun: dosya okunamadı  ... ";
// The file itself, before it is read.
inline constexpr const char16_t* kNotARegularFile =
    u"%1 sıradan bir dosya değil (klasör, aygıt ya da boru); yalnız dosyalar okunur";
// %2: the limit in MB.
inline constexpr const char16_t* kFileTooLarge = u"%1 dosyası %2 MB'tan büyük; okunmadı";
// %2: why, in the user's words.
inline constexpr const char16_t* kCannotOpenFile = u"%1 dosyası açılamıyor: %2";
inline constexpr const char16_t* kCannotReadFile = u"%1 dosyası okunamıyor: %2";

// One line, left out with its line number; the others go on.
inline constexpr const char16_t* kNotADate = u"Tarih okunamadı: \"%1\"";
// %1: the day; %2: the last year whose matches are taken (next year).
inline constexpr const char16_t* kDateTooLate = u"İleri tarih: %1; en geç %2 yılının maçları alınır";
// The quote opened on this line never closes: the line is dropped, the next one read afresh.
inline constexpr const char16_t* kQuoteUnclosed = u"Kapanmayan tırnak: satır okunmadı";
inline constexpr const char16_t* kLineTooLong =
    u"Satır 1 MB'tan uzun (ya da kapanmayan bir tırnakla sürüyor): satır okunmadı";
// The file's last line stops short: %1 header names, %2 fields.
inline constexpr const char16_t* kLineCut =
    u"Satır yarım: başlıkta %1 sütun var, satırda %2; dosya bu satırda kesilmiş";
inline constexpr const char16_t* kBadGoals = u"Goller 0 ile 99 arasında tam sayı olmalı: \"%1\" - \"%2\"";
inline constexpr const char16_t* kEmptyTeam = u"Takım adı boş";
inline constexpr const char16_t* kSameTeam = u"Ev sahibi ve misafir takım aynı: %1";
inline constexpr const char16_t* kTeamNotTurkish =
    u"Takım adında Türkçe kod sayfasında olmayan bir karakter var: %1";
inline constexpr const char16_t* kTeamHasControlCharacter =
    u"Takım adında satır sonu ya da kontrol karakteri var: %1";
// The table keeps 20 characters of a name: the two would become one team.
inline constexpr const char16_t* kNamesCollide =
    u"\"%1\" adının ilk 20 karakteri \"%2\" adınınkiyle aynı; tabloda tek takım olurlar";
// The match is stored with another score (a conflict; nothing changes). %1-%2 stored, %3-%4 the file's.
inline constexpr const char16_t* kStoredScoreDiffers = u"Kayıtlı skor %1-%2, dosyada %3-%4";
// A second line of one match in the file (a conflict; the first line's stands). %1: the first line;
// %2-%3 its score, %4-%5 this line's.
inline constexpr const char16_t* kRepeatedInFile =
    u"Maç dosyada ikinci kez: ilk satırı %1, skoru %2-%3; bu satırda %4-%5";
// The match is already in another league: the ratings would count it twice. %1: that league.
inline constexpr const char16_t* kInAnotherLeague = u"Başka ligde kayıtlı: %1";

// A line used with a remark: its odds are left out, the result is taken. %1: the odds text.
inline constexpr const char16_t* kOddsInvalid = u"Oran geçersiz: \"%1\"; maç oransız alındı";

// %1: the refusal of the team's registration.
inline constexpr const char16_t* kTeamNotRegistered = u"Takım lige kaydedilemedi: %1";

// A fixture whose team the league does not have (in any letter case). %1: the team as the file spells it.
inline constexpr const char16_t* kFixtureTeamUnknown =
    u"Öncelikle tahminde bulunacağınız takımları doğru seçiniz: ligde \"%1\" adlı bir takım yok  ... ";

// The import as a whole.
inline constexpr const char16_t* kImportUndone =
    u"İçe aktarma geri alındı: maç tablosu ve lig listesi (klasman.dat) önceki halinde.";
inline constexpr const char16_t* kImportCancelled =
    u"İçe aktarma iptal edildi: maç tablosu ve lig listesi (klasman.dat) önceki halinde.";
// The rows are in, but klasman.dat could not take the new league; %1: the league.
inline constexpr const char16_t* kLeagueListNotSaved =
    u"Maçlar tabloya eklendi, ancak lig listesi (klasman.dat) kaydedilemedi; \"%1\" ligi program bir "
    u"sonraki açılışında listeye eklenir.";
// Not one line of the file could be used: nothing is written.
inline constexpr const char16_t* kNoUsableLine =
    u"Dosyanın hiçbir satırı kullanılamadı; hiçbir şey yazılmadı  ... ";

} // namespace vezal::messages
