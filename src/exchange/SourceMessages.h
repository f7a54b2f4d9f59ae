#pragma once

// What setting a league's source and updating from it tell the user, word for word, in one place.
namespace vezal::messages {

// Setting a source.
inline constexpr const char16_t* kBadLeagueCode =
    u"Lig kodu en çok 8 harf ya da rakam olmalı (E0, SP1, T1 gibi): %1";
inline constexpr const char16_t* kBadSourceAddress =
    u"Kaynak bir http ya da https adresi ya da bir dosyanın tam yolu olmalı: %1";
// %1: the address with each control character written out.
inline constexpr const char16_t* kSourceHasControlCharacter =
    u"Kaynakta satır sonu ya da kontrol karakteri olamaz: %1";

// One league's update; %1 is the address or path.
inline constexpr const char16_t* kNoSource = u"Bu ligin kaynağı yok";
inline constexpr const char16_t* kNoNetwork =
    u"Sunucuya bağlanılamadı (%2): İnternet bağlantınızı ve adresi kontrol ediniz: %1";
inline constexpr const char16_t* kHostNotFound =
    u"Sunucu bulunamadı: İnternet bağlantınızı ve adresi kontrol ediniz: %1";
inline constexpr const char16_t* kSecureConnectionFailed = u"Güvenli bağlantı kurulamadı (%2): %1";
// %2: the status code, %3: the server's words for it.
inline constexpr const char16_t* kHttpError = u"Sunucu HTTP %2 hatası verdi (%3): %1";
// %2: seconds.
inline constexpr const char16_t* kTimedOut = u"Sunucu %2 saniye içinde dosyayı göndermedi: %1";
// %2: the limit in MB.
inline constexpr const char16_t* kTooLarge = u"Dosya %2 MB'tan büyük, okunmadı: %1";
inline constexpr const char16_t* kRedirectRefused =
    u"Adres başka bir adrese yönlendiriyor; yalnızca http ve https adreslerine gidilir: %1 -> %2";
inline constexpr const char16_t* kTooManyRedirects = u"Adres çok fazla yönlendiriyor: %1";
// %2: the status code.
inline constexpr const char16_t* kRedirectWithoutAddress =
    u"Sunucu başka bir adrese yönlendiriyor (HTTP %2), ama adresi bildirmiyor: %1";
inline constexpr const char16_t* kIncomplete =
    u"İndirme yarım kaldı: sunucu dosyanın sonunu göndermeden bağlantıyı kapattı; yarım dosya "
    u"kullanılmadı: %1";
// %2: the encoding the server named (gzip, deflate, ...).
inline constexpr const char16_t* kNotDecoded =
    u"Sunucudan gelen dosya açılamadı: sıkıştırması (%2) bozuk; dosya kullanılmadı: %1";
inline constexpr const char16_t* kBadAnswer =
    u"Sunucunun yanıtı okunamadı: yanıt HTTP kurallarına uymuyor; adresi kontrol ediniz: %1";
// %2: the temporary folder.
inline constexpr const char16_t* kDownloadNotKept =
    u"İndirilen dosya geçici klasöre (%2) yazılamadı; diskte yer kalmamış olabilir: %1";
inline constexpr const char16_t* kHtmlPage =
    u"Adresten maç dosyası yerine bir web sayfası (HTML) geldi; adresi kontrol ediniz: %1";
// %2: why the file cannot be used.
inline constexpr const char16_t* kNotAMatchFile = u"Kaynaktaki dosya bir maç dosyası değil: %2 (%1)";
// %2: the league's code, %3: the codes the file holds.
inline constexpr const char16_t* kOtherLeagueCode =
    u"Dosyada bu ligin kodu (%2) yok, yalnızca %3 var; kaynağı kontrol ediniz: %1";
// One line of another league in a file of several.
inline constexpr const char16_t* kLineOtherCode = u"Satırın lig kodu %1, bu ligin kodu %2";
// The league left the list while its file came: nothing is written, the league is not made again.
inline constexpr const char16_t* kLeagueGone =
    u"Lig, lig listesinde yok (indirme sürerken silinmiş olabilir); maçları eklenmedi, lig yeniden "
    u"oluşturulmadı: %1";
inline constexpr const char16_t* kUpdateCancelled = u"Güncelleme iptal edildi; lig önceki halinde";

} // namespace vezal::messages
