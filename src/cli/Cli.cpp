#include "cli/Cli.h"

#include "cli/Commands.h"
#include "store/DataFolder.h"
#include "store/FolderAccess.h"
#include "store/LeagueListFile.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <exception>

namespace vezal {

namespace {

const QString kProgram = QStringLiteral("vezal-cli");

QString usageLine(const Command& command) {
    QString line = QStringLiteral("Kullanım: %1 [--dir KLASÖR] %2").arg(kProgram, command.name);
    if (!command.arguments.isEmpty())
        line += QLatin1Char(' ') + command.arguments;
    return line;
}

int usageError(QTextStream& err, const QString& reason, const Command* command) {
    err << kProgram << ": " << reason << '\n';
    if (command)
        err << usageLine(*command) << '\n';
    else
        err << QStringLiteral("Kullanım: %1 [--dir KLASÖR] KOMUT [ARGÜMANLAR]").arg(kProgram) << '\n';
    err << QStringLiteral("Ayrıntılar için: %1 --help").arg(kProgram) << '\n';
    return kExitUsage;
}

// As a shell would take it back: quoted only when it has to be.
QString shellWord(const QString& text) {
    static const QRegularExpression plain(QStringLiteral("\\A[\\w./,:+@%-]+\\z"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    if (plain.match(text).hasMatch())
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// A mistyped folder must not quietly become a new, empty one: only init makes a data folder.
void useFolder(const Command& command, const QString& folder) {
    if (command.folderUse == FolderUse::MakesOne) {
        makeFolders(folder, QStringLiteral("Program klasörü oluşturulamıyor: %1").arg(folder));
        return;
    }
    if (!QFileInfo(folder).isDir())
        throw StoreError(QStringLiteral("Program klasörü bulunamadı: %1").arg(folder));
    if (!QFileInfo::exists(leagueListPath(folder)) && !QFileInfo(folder + QStringLiteral("/Fvt")).isDir())
        throw StoreError(QStringLiteral("\"%1\" klasöründe Vezal verisi yok; yeni bir veri klasörü için: "
                                        "%2 --dir %3 init")
                             .arg(QDir::toNativeSeparators(folder), kProgram, shellWord(folder)));
}

} // namespace

QString helpText() {
    QString text;
    QTextStream help(&text);
    help << "Kullanım: " << kProgram << " [--dir KLASÖR] KOMUT [ARGÜMANLAR]\n"
         << "\n"
         << "Vezal'ın komut satırı yardımcısı: programın maç tablosu ve lig listesi üzerinde, pencerelerle\n"
         << "aynı denetimleri ve aynı uyarıları kullanarak çalışır.\n"
         << "\n"
         << "  --dir KLASÖR   klasman.dat dosyasını ve Fvt/Liste.DB veritabanını tutan program klasörü\n"
         << "                 (verilmezse: yanında klasman.dat varsa " << kProgram << " dosyasının\n"
         << "                 bulunduğu klasör, yoksa ~/.local/share/Vezal). init dışındaki komutlar\n"
         << "                 yalnızca klasman.dat ya da Fvt klasörü olan bir klasörde çalışır; yeni bir\n"
         << "                 veri klasörünü init hazırlar\n"
         << "  --help         bu metni yazar\n"
         << "\n"
         << "Komutlar:\n";
    for (const Command& command : commands()) {
        const QString call =
            command.arguments.isEmpty() ? command.name : command.name + ' ' + command.arguments;
        help << "  " << call << '\n' << "      " << command.summary << '\n';
    }
    help
        << "\n"
        << "Girdiler:\n"
        << "  TARİH     gg.aa.yyyy ya da yyyy-aa-gg (15.08.2009 ya da 2009-08-15), 01.01.1900 ile\n"
        << "            31.12.2100 arasında; dışındaki bir tarih kullanım hatasıdır\n"
        << "  PUAN      virgüllü ya da noktalı ondalık sayı (5,25 ya da 5.25)\n"
        << "  EG, MG    birer rakam\n"
        << "  NO        maç numarası, en çok 3 karakter (verilmezse boş)\n"
        << "  ORANLAR   ev sahibi, beraberlik ve misafir oranı; virgülle ayrılmış, noktalı, 1'den büyük\n"
        << "            (2.10,3.40,3.60)\n"
        << "  XI        eski maçların ağırlığının günlük azalışı: ağırlık exp(-XI * gün); verilmezse 0.0019\n"
        << "  MİKTAR    bahis miktarı ve kasa (--stake, --bankroll, bet bankroll): sıfırdan büyük, en fazla\n"
        << "            1000000000 (1 milyar), en çok iki ondalıklı; bet bankroll 0 kasayı siler\n"
        << "  ORAN      bir seçimin oranı: 1'den büyük, en fazla 1000; bir kuponun oranı (seçimlerinin\n"
        << "            oranlarının çarpımı) en fazla 1000000000\n"
        << "  SEÇİM     bet add'in her seçimi; bir kuponda en fazla 999 seçim olur. Lig klasman.dat'ta\n"
        << "            yazılı, iki takım da o ligde kayıtlı olmalı (büyük/küçük harf fark etmez, tabloda\n"
        << "            yazıldığı gibi saklanır); maçın günü bahsin gününden (--placed) önce olamaz\n"
        << "  NO, SIRA  bet delete ve bet void için bahsin numarası (pozitif tam sayı) ve kupondaki\n"
        << "            seçimin sırası (1 ile 999 arası); başka bir şey kullanım hatasıdır\n"
        << "  add-team ve add-result yalnızca klasman.dat'ta yazılı bir ligi, add-result da yalnızca o "
           "ligde\n"
        << "  kayıtlı takımları seçebilir; pencerelerin listelerinde olmayan bir ad seçilmemiş sayılır ve\n"
        << "  ilgili seçim uyarısı verilir. add-result aynı maçı, TARİH'ten başlayan satırlarda arar.\n"
        << "  predict de yalnızca klasman.dat'ta yazılı bir ligi ve o ligin tablolarında yazıldığı gibi\n"
        << "  (büyük/küçük harfiyle) bir takımı seçebilir; ana penceredeki gibi uyarı verir. track-record "
           "da\n"
        << "  yalnızca klasman.dat'ta yazılı bir ligi sayar.\n"
        << "  Tablo lig ve takım adlarının ilk 20 karakterini saklar; aramalar da aynı biçimde kısaltılır.\n"
        << "\n"
        << "Çıktı:\n"
        << "  UTF-8, sekmeyle ayrılmış sütunlar, ilk satırda sütun adları. Boş değer boş hücredir,\n"
        << "  tarihler yyyy-aa-gg, ondalık sayılar noktalı ve aynı sayıya geri okunan en kısa biçimdedir.\n"
        << "  Bir hücredeki sekme, satır sonu, NUL ya da başka bir kontrol karakteri yazıyla verilir (\\t,\n"
        << "  \\n, \\0, \\x1b): hiçbir ad bir hücreyi ya da satırı bölmez.\n"
        << "  predict üç bölüm yazar: [prediction] altında Memo9 .. Memo21 kutuları (kutunun adı, sekme,\n"
        << "  pencerede görünecek metni), [commentary] altında yorum satırları, [coupon] altında kupon\n"
        << "  satırı.\n"
        << "  import: added (eklenen), present (tabloda zaten olan) ve rejected (kullanılamayan) sayıları,\n"
        << "  sonra kullanılamayan her satır için line, satır numarası ve nedeni. Dosya okunduysa 0, dosya\n"
        << "  ya da satırlarının hiçbiri kullanılamıyorsa 1 ile çıkar; hiçbir satır kullanılamıyorsa "
           "nedenler\n"
        << "  standart hataya yazılır ve lig dahil hiçbir şey eklenmez. Hepsi ya da hiçbiri: bir hata "
           "olursa\n"
        << "  (dolu bir disk de) ne tablo ne klasman.dat değişir.\n"
        << "  Yazan komutlar birbirini, öteki iş sürdükçe sessizce bekler.\n"
        << "  predict-fixtures: önce rejected ve line satırları, sonra her maç için [fixture NO], ev sahibi\n"
        << "  ve misafir takım, ardından predict'in üç bölümü ya da [refusal] altında pencerenin uyarısı.\n"
        << "  probabilities: başlık satırı olmadan, her satırda ad, sekme, değer:\n"
        << "    date         tahmin günü (verilmezse ligin son maçından sonraki gün)\n"
        << "    matches      modele giren maç sayısı (ligin o günden önceki maçları)\n"
        << "    p-home, p-draw, p-away        ev sahibi kazanır, beraberlik, misafir kazanır olasılığı\n"
        << "    p-under-2.5, p-over-2.5       en çok 2 gol, en az 3 gol olasılığı\n"
        << "    p-btts                        iki takımın da gol atma olasılığı\n"
        << "    score-1 .. score-5            en olası beş skor, en olası önce: ad, sekme, ev-misafir golü\n"
        << "                                  (2-1), sekme, olasılığı\n"
        << "    fair-home, fair-draw, fair-away  adil oran, 1 / olasılık (olasılık 0 ise boş)\n"
        << "    ev-home, ev-draw, ev-away     oranlar varsa, 1 birimlik bahsin beklenen kazancı:\n"
        << "                                  olasılık * oran - 1\n"
        << "    book-home, book-draw, book-away  oranlar varsa, bahisçinin payı atılmış olasılıkları:\n"
        << "                                  1 / oran, üçünün toplamına bölünmüş\n"
        << "    market        her pazarın her sonucu için: kod, sekme, kazanma olasılığı, sekme, adil oran\n"
        << "                  (beklenen getiriyi sıfırlayan oran; kazanamayan sonuçta boş). Kodlar: 1 0 2,\n"
        << "                  çifte şans 1X 12 X2, beraberlikte iade DNB1 DNB2, alt/üst ALT0.5 UST0.5 ..\n"
        << "                  ALT4.5 UST4.5 (2,5 için ALT ve UST), KGVAR KGYOK, toplam gol TG01 TG23 TG45\n"
        << "                  TG6, skor SK0-0 .. SK5-5 ve SKDIGER, handikap H1(0:1) H0(0:1) H2(0:1) ve\n"
        << "                  (1:0) (0:2) (2:0) ((0:1): misafir bir golle başlar), ilk yarı/maç sonucu\n"
        << "                  IYMS11 .. IYMS22, Asya handikabı AH1-3 AH2+3 .. AH1+3 AH2-3 (çeyrek\n"
        << "                  çizgiler dahil; AH1'in çizgisi ev sahibinin). AH1, AH2 ve DNB satırlarında\n"
        << "                  ardından yarım kazanma, iade, yarım kaybetme ve kaybetme olasılıkları; adil\n"
        << "                  oran (1 - iade - (yarım kazanma + yarım kaybetme) / 2) / (kazanma + yarım\n"
        << "                  kazanma / 2)\n"
        << "    grid-home-goals, grid-away-goals  sonuçları fiyatlayan skor tablosunun gol beklentileri\n"
        << "    grid-rho                      tablonun düşük skor düzeltmesi (Dixon-Coles rho)\n"
        << "    grid-first-half-share         gollerin ilk yarıya düşen payı: ligin saklı ilk yarı\n"
        << "                                  skorlarından, 1000 gollük 0.438 ile dengelenmiş\n"
        << "    --odds verilmezse o lig, gün ve takımlar için tabloda saklanan oranlar kullanılır. Her iki\n"
        << "    takımın da ligde o günden önce en az 5 maçı olmalı; yoksa uyarı verilir.\n"
        << "    xi, shots-weight, market-weight, market-xi, pool-weight  kullanılan model ayarları\n"
        << "    forecast-home, forecast-draw, forecast-away  tahmin: oran varsa modelin olasılığı\n"
        << "                                  bahisçinin payı atılmış olasılığıyla birleştirilir,\n"
        << "                                  piyasa^(1 - k) * model^k ile orantılı (k pool-weight);\n"
        << "                                  oran yoksa modelinki\n"
        << "    forecast-under-2.5, forecast-over-2.5  aynısı, saklı alt/üst oranıyla\n"
        << "    forecast-ev-home, forecast-ev-draw, forecast-ev-away  oranlar varsa tahminin beklenen\n"
        << "                                  kazancı; değer bahsi her yerde bu değerin eşiği aşmasıdır\n"
        << "  track-record: önce sütun adları (season, figure, hits, counted, percent), sonra bütün maçlar\n"
        << "  için (season all), ardından her sezon için (1 Temmuz - 30 Haziran, 2018-19 gibi) birer satır:\n"
        << "  first-sign, double-chance, single-sign, uo-clear, uo-lean, goals-band, exact-score,\n"
        << "  not-predicted, always-home, bookmaker-favourite, bookmaker-top-two, stake-bets, stake-won,\n"
        << "  stake-profit, stake-yield. percent, hits'in counted'a oranıdır (bir ondalık; counted 0 ise "
           "-).\n"
        << "  not-predicted: hits tahmin edilemeyen (uyarı verilen) maçlar, counted bütün maçlar. "
           "stake-bets:\n"
        << "  hits oranı bilinen ve ilk işareti olan maçlara oynanan birer birimlik bahisler, counted "
           "tahmin\n"
        << "  edilen maçlar. stake-won: hits kazanan bahisler, counted bahisler. stake-profit: hits birim\n"
        << "  cinsinden kâr (iki ondalık), counted bahisler, percent getiri (kâr / bahis). Her maç, kendi\n"
        << "  gününden önceki satırlarla program yeni açılmış gibi tahmin edilir; --from ve --to yalnızca\n"
        << "  sayılan maçları seçer. --per-match DOSYA her maçı, başlık satırıyla UTF-8 CSV olarak yazar\n"
        << "  (son sütunlarda modelin olasılıkları ve değer bahisleri); --turkish ile Türkçe tablo "
           "programları\n"
        << "  için: alanlar arasında ';', ondalık virgül, bayt sırası işaretli UTF-8.\n"
        << "  Her sezonun bu satırlarından sonra gol modelininkiler gelir. Model her gün o günden önceki\n"
        << "  maçlara oturtulur; takımlarından birinin 5'ten az maçı olan maç yalnızca bu satırlarda\n"
        << "  sayılmaz. model-first-sign: en olası işaret. model-uo: 2,5 golün daha olası tarafı.\n"
        << "  value-bets: hits olasılık * oran > 1 + T olan her sonuca oynanan birer birimlik bahisler,\n"
        << "  counted oranı bilinen ve modelin tahmin ettiği maçlar. value-won, value-profit, value-yield:\n"
        << "  stake-won, stake-profit ve stake-yield gibi. model-rps, bookmaker-rps, model-log-loss,\n"
        << "  bookmaker-log-loss: modelin ve bahisçinin (payı atılmış) 1X2 olasılıklarının aynı maçlardaki\n"
        << "  ortalama sıralı olasılık skoru ve log kaybı; hits ortalama (dört ondalık), counted maç\n"
        << "  sayısı, percent boş. --xi probabilities'teki gibidir; --value-threshold T verilmezse 0.05.\n"
        << "  model-uo-brier, bookmaker-uo-brier, model-uo-log-loss, bookmaker-uo-log-loss: 2,5 üst\n"
        << "  olasılığının Brier skoru ve log kaybı, alt/üst oranları saklı maçlarda; counted o maçlar.\n"
        << "  model-uo15-brier, model-uo15-log-loss, model-uo35-brier, model-uo35-log-loss,\n"
        << "  model-btts-brier, model-btts-log-loss: modelin 1,5 üst, 3,5 üst ve karşılıklı gol\n"
        << "  olasılıklarının aynı skorları, tahmin edilen her maçta; counted o maçlar.\n"
        << "  all satırlarından sonra all xi, all shots-weight, all market-weight, all market-xi ve all\n"
        << "  pool-weight: yürütülen modelin değerleri. Değer bahisleri tahminle (model, maçın kapanış\n"
        << "  öncesi oranlarıyla birleştirilmiş) yapılır; --odds best|avg|KOD bahsin oranını saklı\n"
        << "  oranlardan seçer (verilmezse maçın tek bahisçi oranı). Her sezonun son satırları:\n"
        << "  value-close-ev: hits kapanış oranı olan değer bahislerinin kapanıştaki beklenen değerleri\n"
        << "  toplamı (kapanışın payı atılmış olasılığı * alınan oran - 1, birim), counted o bahisler,\n"
        << "  percent ortalaması; value-close-ev-low, value-close-ev-high: ortalamanın %95 aralığı\n"
        << "  (percent); value-clv: alınan oran / o sonucun kapanış oranı - 1, hits toplam, percent\n"
        << "  ortalama; ah-value-bets: Asya handikabı oranı olan maçlarda (counted) tahminin ızgarasında\n"
        << "  beklenen değeri eşiği aşan tarafa (maç başına en çok biri) 1 birimlik bahisler; ah-value-\n"
        << "  profit, ah-value-yield: kârları (yarım sonuçlar ve iadeler sayılır), ah-value-close-ev,\n"
        << "  ah-value-close-ev-low, ah-value-close-ev-high, ah-value-clv: aynı çizginin kapanış\n"
        << "  oranlarına göre, value- satırları gibi;\n"
        << "  bookmaker-closing-rps: kapanış oranı olan maçlarda kapanış piyasasının RPS'i;\n"
        << "  forecast-rps ve bookmaker-opening-rps: kapanış öncesi oranı olan maçlarda tahminin ve o\n"
        << "  piyasanın RPS'i.\n"
        << "  Gol modeli: xi zaman azalması (günlük), shots-weight (W) gollerin payı: her takımın sayısı\n"
        << "  W * gol + (1 - W) * c * isabetli şut, c ligin isabetli şut başına golü; istatistiği olmayan\n"
        << "  maç yalnız golle sayılır. Verilmezse ligin tune ile saklanan değerleri, hiç ayarlanmamış\n"
        << "  ligde 0.0019 ve 1 (yalnız gol). market-weight piyasanın payı: geçmiş maçların kapanış\n"
        << "  (yoksa öncesi) oranlarından çıkan gol beklentileri, kendi zaman azalmasıyla (market-xi,\n"
        << "  günlük); ayarlanmamış ligde 0.9 ve 0.05, oranı olmayan ligde etkisiz. pool-weight (k)\n"
        << "  tahminde modelin ağırlığı; verilmezse 0.45.\n"
        << "  tune: her xi ve W için bir satır (xi, shots-weight, log-loss); oranlı ligde her piyasa payı\n"
        << "  ve azalması için market, pay, azalma, log-loss; kapanış oranlı ligde her k için pool, k,\n"
        << "  kapanış oranlı değer bahisleri, kapanıştaki beklenen değerleri toplamı, tahminin ve kapanış\n"
        << "  öncesi piyasanın RPS'i (--value-threshold ve --odds track-record'daki gibi); sonra choice\n"
        << "  XI W PAY AZALMA K (seçilmeyen -).\n"
        << "  --calibration her sezona modelin 1X2 olasılıklarının kalibrasyonunu ekler:\n"
        << "  calibration-0.0-0.1 .. calibration-0.9-1.0; hits ortalama olasılık, counted sonuç sayısı,\n"
        << "  percent gerçekleşme oranı.\n"
        << "  sources: başlık satırından sonra her lig için lig, kod ve kaynak (adres ya da dosya yolu).\n"
        << "  update: her lig için lig, eklenen, zaten kayıtlı, çelişen ve okunamayan satır sayıları; ligin\n"
        << "  kaynağı okunamadıysa lig, error ve nedeni. Her lig kendi içinde hepsi ya da hiçbiri; bir "
           "ligin\n"
        << "  hatası ötekileri durdurmaz. Bütün ligler güncellendiyse 0, biri bile güncellenemediyse 3, "
           "kaynağı\n"
        << "  olan lig yoksa 1 ile çıkar. Web adresleri için 30 saniye ve 50 MB sınırı vardır.\n"
        << "  bulletin: her satır bir maçın bir sonucu: date time league home away market p book odds ev\n"
        << "  value stake forecast. market 1 0 2 ALT UST KGVAR KGYOK; p modelin olasılığı, book bahisçinin\n"
        << "  payı atılmış olasılığı (Avg sütunlarından, yoksa PS, B365 ve diğerlerinden), odds kullanılan\n"
        << "  oran (--odds best: sütunların en yükseği, avg: ortalama, KOD: o bahisçi; dosyada oranı "
           "olmayan\n"
        << "  bir bahisçi kullanım hatasıdır ve dosyadaki kodlar yazılır), forecast tahmin (p, o pazarın\n"
        << "  book'u varsa onunla birleştirilmiş), ev tahmin * oran - 1, value ev > T ise 1, stake\n"
        << "  F * Kelly * B (tahminle), en çok S * B, iki ondalık. Oranı olmayan sonucun odds, ev, value ve\n"
        << "  stake hücreleri boştur; olasılık verilemeyen maç tek satırdır, nedeni market hücresindedir.\n"
        << "  Model ayarları her ligin tune ile saklananlarıdır; --xi onları geçer. Takım adları ligde\n"
        << "  kayıtlı takımlarınkiyle büyük/küçük harf gözetmeden eşleşir (ARSENAL, Arsenal'dır) ve\n"
        << "  programın yazdığı gibi yazılır.\n"
        << "  --fair her maçın satırlarına (Asya handikabından sonra) dosyaların oran vermediği havuz\n"
        << "  pazarlarını ekler: 1X 12 X2, DNB1 DNB2, ALT1.5 UST1.5, ALT3.5 UST3.5, TG01 TG23 TG45 TG6;\n"
        << "  p ve forecast skor tablosundan, odds, ev, value ve stake boş. Başlığa ve her satıra son\n"
        << "  sütun fair eklenir: oranı olmayan satırın adil oranı (DNB'de iade sayılır). Bir maçın\n"
        << "  bütün alt/üst çizgileri tek pazardır.\n"
        << "  Dosyanın Div sütunu satırı aynı adlı lige götürür (--league verilirse hepsi o lige); ligi\n"
        << "  olmayan kodlar standart hataya skipped, KOD, sayı satırlarıyla yazılır. --evidence önce her\n"
        << "  lig ve pazar (1X2, UO) için evidence, lig, pazar, bahis, kazanan, getiri ve getirinin %95\n"
        << "  aralığı (yüzde, bir ondalık), sonra ev-close: kapanış oranı olan bahislerin kapanıştaki\n"
        << "  ortalama beklenen değeri ve %95 aralığı satırlarını yazar; ligde o pazarın oranı\n"
        << "  saklanmamışsa -.\n"
        << "  CSV dosyaları: virgül, noktalı virgül ya da sekme; UTF-8 ya da Windows-1254; sütunlar\n"
        << "  Date/Tarih, HomeTeam/Ev Sahibi, AwayTeam/Misafir, FTHG/Ev Gol, FTAG/Misafir Gol adlarıyla.\n"
        << "\n"
        << "Çıkış kodları:\n"
        << "  0   tamam\n"
        << "  1   programın uyarısıyla reddedildi; uyarı metni standart hataya yazılır, hiçbir şey yazılmaz\n"
        << "  2   kullanım hatası; kullanım metni standart hataya yazılır\n"
        << "  3   dosya ya da veritabanı hatası; ileti standart hataya yazılır. Veritabanının okurken fark\n"
        << "      edilen bir hasarı da 3'tür; fark edilmeyenini check bulur. Tahmin eden ve yazan her komut\n"
        << "      (leagues, teams, results, table, history, rows, bets, sources ve check dışındakiler) önce\n"
        << "      SQLite'ın hızlı denetimini çalıştırır; hasar bulursa hiçbir şey yazmadan 3 ile çıkar.\n"
        << "      Listeleyen komutlar hasarlı veritabanında da çalışır. Yazılamayan (salt okunur) bir veri\n"
        << "      klasöründe listeleyen ve tahmin eden komutlar çalışır, değiştirenler 3 ile çıkar\n";
    return text;
}

int runCli(const QStringList& args, const QString& defaultFolder, QTextStream& out, QTextStream& err) {
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        const qsizetype end = args.indexOf(QStringLiteral("--"));
        const qsizetype help =
            std::max(args.indexOf(QStringLiteral("--help")), args.indexOf(QStringLiteral("-h")));
        if (end < 0 || help < end) {
            out << helpText();
            return kExitOk;
        }
    }

    QString folder = defaultFolder;
    qsizetype next = 0;
    while (next < args.size() && args.at(next).startsWith(QLatin1Char('-'))) {
        const QString& arg = args.at(next);
        if (arg == QLatin1String("--dir")) {
            if (next + 1 >= args.size())
                return usageError(err, QStringLiteral("--dir seçeneğinin değeri eksik"), nullptr);
            folder = args.at(next + 1);
            next += 2;
        } else if (arg.startsWith(QLatin1String("--dir="))) {
            folder = arg.mid(6);
            next += 1;
        } else {
            return usageError(err, QStringLiteral("bilinmeyen seçenek: %1").arg(arg), nullptr);
        }
    }
    if (next >= args.size())
        return usageError(err, QStringLiteral("komut eksik"), nullptr);
    if (folder.isEmpty())
        return usageError(err, QStringLiteral("--dir seçeneğinin değeri boş"), nullptr);
    folder = absoluteFolder(folder);

    const Command* command = findCommand(args.at(next));
    if (!command)
        return usageError(err, QStringLiteral("bilinmeyen komut: %1").arg(args.at(next)), nullptr);

    try {
        CommandArgs parsed = parseCommandArgs(*command, args.mid(next + 1));
        useFolder(*command, folder);
        CommandContext context(folder, std::move(parsed), out, err, command->tableUse);
        return command->run(context);
    } catch (const UsageError& e) {
        return usageError(err, e.reason(), command);
    } catch (const StoreError& e) {
        err << e.message() << '\n';
        return kExitFailure;
    } catch (const std::exception& e) {
        err << QString::fromUtf8(e.what()) << '\n';
        return kExitFailure;
    }
}

} // namespace vezal
