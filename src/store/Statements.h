#pragma once

// The statements sent to the table Liste, one place for all of them: the match table runs them, and the
// tests and the benchmark read the same texts. Lines are joined by line breaks, as they were typed.
namespace vezal::sql {

// Schema of a fresh file: the fifteen columns in their order, and the indexes the statements use.
inline constexpr const char* kCreateTable = "CREATE TABLE Liste (\n"
                                            "  Sr INTEGER PRIMARY KEY AUTOINCREMENT,\n"
                                            "  Tur VARCHAR(1),\n"
                                            "  Klas VARCHAR(20),\n"
                                            "  Tarih DATE,\n"
                                            "  Etkm VARCHAR(20),\n"
                                            "  Mtkm VARCHAR(20),\n"
                                            "  Oyun SMALLINT,\n"
                                            "  Ea SMALLINT,\n"
                                            "  Ey SMALLINT,\n"
                                            "  Ma SMALLINT,\n"
                                            "  My SMALLINT,\n"
                                            "  Etp DOUBLE,\n"
                                            "  Mtp DOUBLE,\n"
                                            "  Erakip DOUBLE,\n"
                                            "  Mrakip DOUBLE\n"
                                            ")";
// Each index holds every column its statements read, so that a league's view and a team's rating sums
// come from the index alone: on a large table the league's rows lie scattered over the whole file, and
// reading them from the table costs a page each. Their leading columns are the lookups (Klas),
// (Etkm, Tarih) and (Mtkm, Tarih).
inline constexpr const char* kCreateIndexes[] = {
    "CREATE INDEX ListeKlasTarih ON Liste (Klas, Tarih, Etkm, Ea, Mtkm, Ey)",
    "CREATE INDEX ListeKlasEtkm ON Liste (Klas, Etkm, Oyun, Ea, Ey, Etp)",
    "CREATE INDEX ListeKlasMtkm ON Liste (Klas, Mtkm, Oyun, Ma, My, Mtp)",
    "CREATE INDEX ListeEtkmTarih ON Liste (Etkm, Tarih, Etp, Erakip)",
    "CREATE INDEX ListeMtkmTarih ON Liste (Mtkm, Tarih, Mtp, Mrakip)",
};

// Appends.
inline constexpr const char* kAppendSeedRow = "insert into Liste (Tur,Klas,Tarih,Etkm,Mtkm,Etp,Mtp)\n"
                                              "values ('A',:Klas,:Tarih,:Etkm,:Mtkm,:Etp,:Mtp)";
inline constexpr const char* kAppendMatchRow =
    "insert into Liste (Tur,Klas,Tarih,Etkm,Mtkm,Oyun,Ea,Ey,Ma,My,Etp,Mtp,Erakip,Mrakip)\n"
    "values ('O',:Klas,:Tarih,:Etkm,:Mtkm,1,:Ea,:Ey,:Ma,:My,:Etp,:Mtp,:Erakip,:Mrakip)";

// Ratings before a match day, over every league and both row kinds.
inline constexpr const char* kHomeRatingBefore = "Select Etkm,Sum(Etp)EToplam from Liste\n"
                                                 "Where Tarih<:Trh1 and Etkm=:Etkm1\n"
                                                 "Group By Etkm";
inline constexpr const char* kAwayRatingBefore = "Select Mtkm,Sum(Mtp)MToplam from Liste\n"
                                                 "Where Tarih<:Trh2 and Mtkm=:Mtkm1\n"
                                                 "Group By Mtkm";

// Opponent strength, over every league.
inline constexpr const char* kHomeOpponentStrength =
    "select Etkm,sum(Erakip)ERPuan from Liste where Etkm=:ev\n"
    "Group BY Etkm";
inline constexpr const char* kAwayOpponentStrength =
    "select Mtkm,sum(Mrakip)MRPuan from Liste where Mtkm=:mis\n"
    "Group BY Mtkm";

// Team lists.
// In Turkish order without regard to case, as every list of the program (the collation is the connection's).
inline constexpr const char* kTeamList = "select Etkm from Liste where Klas=:klasman\n"
                                         "Group BY Etkm\n"
                                         "ORDER BY Etkm COLLATE TURKCE, Etkm";
// In the table's order: an index would otherwise hand them back sorted by bytes.
inline constexpr const char* kSeedTeams = "Select Tur,Etkm from Liste\n"
                                          "Where Tur='A'  and Klas=:Klas1\n"
                                          "order by Sr";

// Deletes.
inline constexpr const char* kDeleteTeam = "Delete from Liste where Klas=:klasman and(Etkm=:ev or Mtkm=:mis)";
inline constexpr const char* kDeleteLeague = "Delete from Liste where Klas=:klasman";
inline constexpr const char* kDeleteRow = "Delete from Liste where Sr=:Sr";

// The league view.
inline constexpr const char* kHomeTable =
    "select Etkm, Sum(oyun)oy, Sum(ea)Gol,Sum(ey)ygol,sum(Etp)Toplam from Liste where Klas=:klasman\n"
    "Group BY Etkm\n"
    "ORDER BY Toplam Desc";
inline constexpr const char* kAwayTable =
    "select Mtkm, Sum(oyun)oy, Sum(ma)Gol,Sum(my)ygol,sum(Mtp)Toplam from Liste where Klas=:klasman\n"
    "Group BY Mtkm\n"
    "ORDER BY Toplam Desc";
// One season's tables: its match rows and the seed rows of the teams that played in it.
inline constexpr const char* kHomeTableOfSeason =
    "select Etkm, Sum(oyun)oy, Sum(ea)Gol,Sum(ey)ygol,sum(Etp)Toplam from Liste where Klas=:klasman\n"
    "and (Tarih between :ilk and :son or (Tarih=:tohum and Etkm in (select Etkm from Liste where "
    "Klas=:klasman and Tarih between :ilk and :son union select Mtkm from Liste where Klas=:klasman and "
    "Tarih between :ilk and :son)))\n"
    "Group BY Etkm\n"
    "ORDER BY Toplam Desc";
inline constexpr const char* kAwayTableOfSeason =
    "select Mtkm, Sum(oyun)oy, Sum(ma)Gol,Sum(my)ygol,sum(Mtp)Toplam from Liste where Klas=:klasman\n"
    "and (Tarih between :ilk and :son or (Tarih=:tohum and Mtkm in (select Etkm from Liste where "
    "Klas=:klasman and Tarih between :ilk and :son union select Mtkm from Liste where Klas=:klasman and "
    "Tarih between :ilk and :son)))\n"
    "Group BY Mtkm\n"
    "ORDER BY Toplam Desc";
inline constexpr const char* kMatchDays =
    "select distinct Tarih from Liste where Klas=:klasman and Tarih>=:trh ORDER BY Tarih";
inline constexpr const char* kLeagueHistory =
    "select Tarih,Etkm,Ea,Mtkm,Ey  from Liste where Klas=:klasman and Tarih>=:trh\n"
    "ORDER BY Tarih Desc";
inline constexpr const char* kTeamHistoryBoth = "select Tarih,Etkm,Ea,Mtkm,Ey  from Liste where "
                                                "Klas=:klasman and Tarih>=:trh and (Etkm=:ev or Mtkm=:mis)\n"
                                                "ORDER BY Tarih Desc";
inline constexpr const char* kTeamHistoryHome =
    "select Tarih,Etkm,Ea,Mtkm,Ey  from Liste where Klas=:klasman and Tarih>=:trh and (Etkm=:ev)\n"
    "ORDER BY Tarih Desc";
inline constexpr const char* kTeamHistoryAway =
    "select Tarih,Etkm,Ea,Mtkm,Ey  from Liste where Klas=:klasman and Tarih>=:trh and (Mtkm=:mis)\n"
    "ORDER BY Tarih Desc";

// The results window's rows: every row while the filter date is on or before the seed date, otherwise
// the league's rows from the filter date on; in the table's order.
inline constexpr const char* kShownRowsAll = "select Sr,Tarih,Etkm,Ea,Mtkm,Ey from Liste\n"
                                             "order by Sr";
inline constexpr const char* kShownRowsOfLeague = "select Sr,Tarih,Etkm,Ea,Mtkm,Ey from Liste\n"
                                                  "where Klas=:Klas and Tarih>=:Trh\n"
                                                  "order by Sr";
// The duplicate search over exactly those rows.
inline constexpr const char* kFindShownMatchAll = "select Sr from Liste\n"
                                                  "where Tarih=:Tarih and Etkm=:Etkm and Mtkm=:Mtkm\n"
                                                  "order by Sr limit 1";
// The filter's "on or after the filter date" is a test of the day alone, made before the search.
inline constexpr const char* kFindShownMatchOfLeague =
    "select Sr from Liste\n"
    "where Klas=:Klas and Tarih=:Tarih and Etkm=:Etkm and Mtkm=:Mtkm\n"
    "order by Sr limit 1";

// A seed row of the league under exactly this name: what makes a team choosable for a result.
inline constexpr const char* kIsRegistered = "select Sr from Liste\n"
                                             "where Etkm=:Etkm and Tarih=:Tarih and Tur='A' and Klas=:Klas\n"
                                             "limit 1";

// The track record reads each row it needs once. A league's rows up to the last day walked, in day order.
inline constexpr const char* kLeagueRowsUpTo =
    "select Sr,Tarih,Etkm,Mtkm,Oyun,Ea,Ey,Ma,My,Etp,Mtp from Liste\n"
    "where Klas=:Klas and Tarih<=:Trh\n"
    "order by Tarih,Sr";
// A team's opponent strengths over every league, in the order the strength statements add them up: they
// walk the covering indexes (Etkm or Mtkm, Tarih, then the rating and the strength), and a sum of doubles
// depends on its order.
inline constexpr const char* kHomeStrengthRowsUpTo = "select Tarih,Erakip from Liste\n"
                                                     "where Etkm=:ev and Tarih<=:Trh and Erakip is not null\n"
                                                     "order by Tarih,Etp,Erakip,Sr";
inline constexpr const char* kAwayStrengthRowsUpTo =
    "select Tarih,Mrakip from Liste\n"
    "where Mtkm=:mis and Tarih<=:Trh and Mrakip is not null\n"
    "order by Tarih,Mtp,Mrakip,Sr";

// A team's rating rows over every league: what homeRatingBefore sums (Etp where it is the home team) and
// what awayRatingBefore sums (Mtp where it is the away team), in day order. The seed row is in both halves.
inline constexpr const char* kTeamRatingRows = "select Tarih,Tur,Etp,0 from Liste where Etkm=:ev\n"
                                               "union all\n"
                                               "select Tarih,Tur,0,Mtp from Liste where Mtkm=:mis\n"
                                               "order by 1";

inline constexpr const char* kAllRows =
    "select Sr,Tur,Klas,Tarih,Etkm,Mtkm,Oyun,Ea,Ey,Ma,My,Etp,Mtp,Erakip,Mrakip\n"
    "from Liste order by Sr";

} // namespace vezal::sql
