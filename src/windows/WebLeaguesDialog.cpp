#include "windows/WebLeaguesDialog.h"

#include "evidence/TrackRecord.h"
#include "exchange/LeagueSources.h"
#include "store/Admin.h"
#include "store/LeagueListFile.h"
#include "store/StoreError.h"
#include "windows/Dialogs.h"
#include "windows/GuardedConnect.h"
#include "windows/KeyRules.h"
#include "windows/LeagueUpdateWindow.h"
#include "windows/Program.h"
#include "windows/WindowKit.h"
#include "windows/WindowPlace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace vezal {

namespace {

const QString kCaption = QStringLiteral("  WEB'DEN LİG AL");
const QString kExplanation =
    QStringLiteral("İşaretlediğiniz ligler football-data.co.uk'tan sonuçları ve oranlarıyla alınır; her lig "
                   "bu sezonun dosyasını kaynak olarak tutar, \"Verileri Güncelle\" onu yeniden okur.");
const QString kNoneTicked = QStringLiteral("Önce almak istediğiniz ligleri işaretlemelisiniz  ... ");
const QString kNotTaken = QStringLiteral("Hiçbir dosyası alınamadı; lig listeye eklenmedi");
constexpr int kDefaultPastSeasons = 3;
constexpr int kMostPastSeasons = 10;

} // namespace

WebLeaguesDialog::WebLeaguesDialog(Program& program, QWidget* parent)
    : QDialog(parent), addressOf(footballDataAddress), program_(program) {
    setUpDialog(this, "WebLeaguesDialog", kCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    keepPlace(this, program_);

    auto* explanation = new QLabel(kExplanation, this);
    explanation->setWordWrap(true);
    leagueList = new QListWidget(this);
    leagueList->setObjectName(QStringLiteral("WebLeagueList"));
    for (const KnownLeague& known : footballDataLeagues()) {
        auto* item = new QListWidgetItem(QString::fromUtf8(known.name), leagueList);
        item->setData(Qt::UserRole, QString::fromLatin1(known.code));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    leagueList->setMinimumHeight(leagueList->sizeHintForRow(0) * 12);
    // A click anywhere on the line ticks it, not only on the box. A click on the box itself the list ticks
    // on its own before it tells of the click: then the state differs from the one at the press.
    connect(leagueList, &QListWidget::itemPressed, this, [this](QListWidgetItem* item) {
        pressedState_ = {item, item->checkState()};
    });
    connect(leagueList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (pressedState_.first == item && pressedState_.second == item->checkState())
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        pressedState_ = {nullptr, Qt::Unchecked};
    });
    seasonsBox = new QSpinBox(this);
    seasonsBox->setObjectName(QStringLiteral("PastSeasonsBox"));
    seasonsBox->setRange(0, kMostPastSeasons);
    seasonsBox->setValue(kDefaultPastSeasons);
    takeButton = new QPushButton(QStringLiteral("Ligleri Al"), this);
    takeButton->setObjectName(QStringLiteral("TakeButton"));
    cancelButton = new QPushButton(QStringLiteral("Vazgeç"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* seasons = new QHBoxLayout;
    seasons->addWidget(new QLabel(QStringLiteral("Bu sezondan önceki sezon sayısı:"), this));
    seasons->addWidget(seasonsBox);
    seasons->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(takeButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(leagueList, 1);
    layout->addLayout(seasons);
    layout->addLayout(buttons);
    resize(460, 480);

    for (QPushButton* button : {takeButton, cancelButton}) {
        button->setAutoDefault(false);
        KeyRule::install(button, KeyRule::Typed::Anything, [button] { button->click(); });
    }
    guardedConnect(takeButton, &QPushButton::clicked, this, program_.dialogs, [this](bool) { onTake(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

// A league this dialog lists stays only when a file of it came in: a failed first fetch takes back its
// list line, its source and whatever else of it was written, so that the first start's guide stays.
void WebLeaguesDialog::onTake() {
    std::vector<LeagueSource> chosen;
    for (int row = 0; row < leagueList->count(); ++row)
        if (const QListWidgetItem* item = leagueList->item(row); item->checkState() == Qt::Checked)
            chosen.push_back({item->text(), item->data(Qt::UserRole).toString(), QString()});
    if (chosen.empty()) {
        program_.dialogs.caution(this, kNoneTicked);
        return;
    }
    const QDate today = program_.today();
    const QString listPath = program_.leagueListPath();
    QStringList listedHere;
    const auto takeBack = [&](const QStringList& leagues) {
        for (const QString& league : leagues)
            deleteLeague(program_.table(), listPath, league); // one deleted meanwhile is gone already
    };
    std::vector<UpdateStep> steps;
    try {
        for (LeagueSource& league : chosen) {
            // A league listed already keeps its rows; only its source and the missing seasons are added.
            if (!loadLeagueList(listPath).contains(league.league)) {
                if (const auto refusal = addLeague(listPath, league.league)) {
                    takeBack(listedHere);
                    program_.dialogs.caution(this, refusal->message);
                    return;
                }
                listedHere << league.league;
            }
            league.address = addressOf(league.code, today);
            if (const auto refusal = setLeagueSource(program_.database(), listPath, league.league,
                                                     {league.code, league.address})) {
                takeBack(listedHere);
                program_.dialogs.caution(this, *refusal);
                return;
            }
            // Oldest first, so that the ratings move through the seasons in their order.
            for (int back = seasonsBox->value(); back >= 1; --back) {
                const QDate day = today.addYears(-back);
                steps.push_back({{league.league, league.code, addressOf(league.code, day)},
                                 QStringLiteral("%1 %2").arg(league.league, seasonOf(day))});
            }
            steps.push_back({league, QStringLiteral("%1 %2").arg(league.league, seasonOf(today))});
        }
    } catch (const StoreError&) {
        takeBack(listedHere);
        throw;
    }
    hide();
    LeagueSelector& selector = program_.navigation().leagueSelector();
    selector.loadLeagues();
    UpdateRun run = readUpdateSteps(parentWidget(), program_, steps, fetch);

    QStringList empty = listedHere;
    for (std::size_t i = 0; i < run.done.size(); ++i)
        if (run.done[i].updated() && run.done[i].added > 0)
            empty.removeAll(steps[i].source.league);
    guarded(program_.dialogs, parentWidget(), [&] { takeBack(empty); });
    for (const QString& league : empty) {
        LeagueUpdate notTaken;
        notTaken.league = league;
        notTaken.error = kNotTaken;
        run.done.push_back(notTaken);
    }
    showUpdateRun(parentWidget(), program_, run);

    const auto kept = std::find_if(chosen.cbegin(), chosen.cend(), [&](const LeagueSource& league) {
        return !empty.contains(league.league);
    });
    if (kept != chosen.cend())
        selector.showLeague(kept->league);
    else
        selector.loadLeagues();
    accept();
}

} // namespace vezal
