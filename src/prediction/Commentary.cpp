#include "prediction/Commentary.h"

#include "common/Names.h"

namespace vezal {

namespace {

const QString kTab = QStringLiteral("\t");

// A sign or a goal count as a whole number; a text that is not one counts as 0.
int wholeNumber(const QString& text) {
    return readGames(text);
}

// 0 draw, 1 home win, 2 away win: the codes of the result signs.
int scoreOutcome(int homeGoals, int awayGoals) {
    if (homeGoals == awayGoals)
        return 0;
    return homeGoals > awayGoals ? 1 : 2;
}

QString firstSignVerdict(const QString& sign) {
    if (sign == QStringLiteral("0"))
        return QStringLiteral("Bu maç için öncelikle beraberlik düşünmelisiniz ");
    if (sign == QStringLiteral("1"))
        return QStringLiteral("Bu maç için öncelikle Evsahibi Takımın galibiyetini düşünmelisiniz ");
    if (sign == QStringLiteral("2"))
        return QStringLiteral("Bu maç için öncelikle Misafir Takımın galibiyetini düşünmelisiniz ");
    return {};
}

QString secondSignVerdict(const QString& sign) {
    if (sign == QStringLiteral("0"))
        return QStringLiteral("Daha sonra beraberlik olabilir");
    if (sign == QStringLiteral("1"))
        return QStringLiteral("Daha sonra Evsahibi Takımın galibiyeti olabilir");
    if (sign == QStringLiteral("2"))
        return QStringLiteral("Daha sonra Misafir Takımın galibiyeti olabilir");
    return {};
}

QString singleSignVerdict(const QString& sign, int homeGoals, int awayGoals) {
    if (sign == QStringLiteral("0"))
        return homeGoals == awayGoals ? QStringLiteral("Bu maç büyük ihtimalle berabere biter ... ")
                                      : QStringLiteral("Bu maç berabere bitebilir ... ");
    if (sign == QStringLiteral("1"))
        return homeGoals > awayGoals ? QStringLiteral("Bu maçı banko Ev Sahibi takım kazanır ... ")
                                     : QStringLiteral("Bu maçı Ev Sahibi takım kazanabilir ... ");
    if (sign == QStringLiteral("2"))
        return homeGoals < awayGoals ? QStringLiteral("Bu maçı banko Misafir takım kazanır ... ")
                                     : QStringLiteral("Bu maçı Misafir takım kazanabilir ... ");
    return {};
}

QString contrast(int outcome) {
    switch (outcome) {
    case 0:
        return QStringLiteral("Ancak azda olsa bu maçın berabere bitme ihtimalide var ... ");
    case 1:
        return QStringLiteral("Ancak azda olsa bu maçı Ev Sahibi takımın kazanma ihtimalide var ... ");
    default:
        return QStringLiteral("Ancak azda olsa bu maçı Misafir takımın kazanma ihtimalide var ... ");
    }
}

void appendIfAny(QStringList& lines, const QString& line) {
    if (!line.isEmpty())
        lines.append(line);
}

QString scorePair(const QString& home, const QString& away) {
    return home + QStringLiteral(" - ") + away;
}

} // namespace

QString totalGoalsBand(double totalGoals) {
    const long double t = totalGoals;
    if (t <= 2.2L)
        return QStringLiteral("0 - 1");
    if (t <= 3.9L)
        return QStringLiteral("2 - 3");
    if (t <= 6.9L)
        return QStringLiteral("4 - 6");
    return QStringLiteral("7");
}

Commentary composeCommentary(const ComparisonPanel& panel, double totalGoals) {
    Commentary c;
    QStringList& lines = c.lines;
    const QString& first = panel.firstSign;
    const QString& second = panel.secondSign;
    const QString& homeScore = panel.score.home;
    const QString& awayScore = panel.score.away;
    const QString& underOver = panel.underOver;

    lines.append(panel.matchNumber + QStringLiteral("  -  ") + upperTurkish(panel.homeTeam.text) +
                 QStringLiteral("  -  ") + upperTurkish(panel.awayTeam.text));

    if (!first.isEmpty())
        lines.append(QStringLiteral("Maç Sonucu\t:  ") + first + kTab + second + kTab);

    if (!homeScore.isEmpty() && !awayScore.isEmpty()) {
        const QStringList pairs = {scorePair(homeScore, awayScore),
                                   scorePair(panel.alternatives[0].home, panel.alternatives[0].away),
                                   scorePair(panel.alternatives[1].home, panel.alternatives[1].away),
                                   scorePair(panel.alternatives[2].home, panel.alternatives[2].away)};
        lines.append(QStringLiteral("Alternatif  Skorlar\t:  ") + pairs.join(kTab));
        c.band = totalGoalsBand(totalGoals);
        lines.append(QStringLiteral("Toplam Gol Oyunu\t:  ") + *c.band);
    }

    if (readFigure(panel.home.games) <= 2 || readFigure(panel.away.games) <= 2)
        lines.append(QStringLiteral(
            "Sağlıklı bir tahmin yapabilmek için oynadıkları maç sayısı yeterli olmamakla birlikte"));

    const qsizetype signs = signCount(panel);
    const QString sign = first + second;
    const int homeGoals = wholeNumber(homeScore);
    const int awayGoals = wholeNumber(awayScore);
    if (signs == 2) {
        appendIfAny(lines, firstSignVerdict(first));
        appendIfAny(lines, secondSignVerdict(second));
    } else if (signs == 1) {
        appendIfAny(lines, singleSignVerdict(sign, homeGoals, awayGoals));
    }

    if (!homeScore.isEmpty() || !awayScore.isEmpty()) {
        const int outcome = scoreOutcome(homeGoals, awayGoals);
        const bool differs = (signs == 1 && outcome != wholeNumber(sign)) ||
                             (signs == 2 && outcome != wholeNumber(first) && outcome != wholeNumber(second));
        if (differs)
            lines.append(contrast(outcome));
    }

    if (isClearUnderOver(underOver))
        lines.append(QStringLiteral("Alternatif olarak bu maç için  ") + underOver +
                     QStringLiteral("  oynayabilirsiniz"));

    lines.append(QString(135, u'-'));
    return c;
}

} // namespace vezal
