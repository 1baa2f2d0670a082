// The CSV a spreadsheet opens: byte-order mark, header, semicolons, quoting, no formulas.

#include "LayoutTestSupport.h"

#include "layout/LayoutAnalysis.h"
#include "layout/LayoutCsv.h"

namespace hq {
namespace {

using layout_test::decoderWith;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        result.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return result;
}

TEST(LayoutCsv, HasAByteOrderMarkAHeaderAndOneLinePerIndexEntry) {
    LayoutNotes notes;
    notes.decoders["weiche.hex"] = {"Bahnhof Süd", "Weichen; \"Einfahrt\""};
    notes.decoders["signal.hex"] = {"=SUMME(A1)", ""};
    LayoutScan scan = analyseLayout({decoderWith(32, Protocol::DCC, "weiche.hex", {1, 2, 0, 0}, {1, 0}),
                                     decoderWith(28, Protocol::DCC, "signal.hex", {1}, {1})},
                                    {}, notes);
    const std::string csv = layoutCsvText(scan);
    ASSERT_TRUE(csv.starts_with("\xEF\xBB\xBF"));
    const std::vector<std::string> rows = lines(csv.substr(3));
    ASSERT_EQ(rows.size(), 4u) << csv;
    EXPECT_EQ(rows[0],
              "Protokoll;Adressart;Adresse;Reagiert auf;Verwendung;Datei;Name;Notiz;Zeile;Bezeichnung;"
              "Firmware;Art;Version;Zusatzwert;Doppelbelegung;Warnungen");
    EXPECT_EQ(rows[1], "DCC;Zubehör;1;grün;;signal.hex;'=SUMME(A1);;1;Weiche;Dorvat - Spur 1;28;V 0.41;20;"
                       "mit weiche.hex Zeile 1 (Weiche 1);");
    EXPECT_EQ(rows[2], "DCC;Zubehör;1;grün;;weiche.hex;Bahnhof Süd;\"Weichen; \"\"Einfahrt\"\"\";1;Weiche 1;"
                       "Zumbar88;32;V 0.41;20;mit signal.hex Zeile 1 (Weiche);");
    EXPECT_EQ(rows[3], "DCC;Zubehör;2;rot;;weiche.hex;Bahnhof Süd;\"Weichen; \"\"Einfahrt\"\"\";2;Weiche 2;"
                       "Zumbar88;32;V 0.41;20;;");
}

TEST(LayoutCsv, MarksIntendedClashesAndListsTheRowsWarnings) {
    LayoutScan first = analyseLayout({decoderWith(32, Protocol::DCC, "a.hex", {2041, 0, 0, 0})}, {}, {});
    ASSERT_EQ(first.clashes.size(), 1u);
    LayoutNotes notes;
    notes.setIntended(first.clashes[0].key, true);
    LayoutScan scan = analyseLayout({decoderWith(32, Protocol::DCC, "a.hex", {2041, 0, 0, 0})}, {}, notes);
    const std::vector<std::string> rows = lines(layoutCsvText(scan).substr(3));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[1].find(";Rundruf-Adresse (Dekoder 511) (gewollt);Dekoder 511"), std::string::npos)
        << rows[1];
}

} // namespace
} // namespace hq
