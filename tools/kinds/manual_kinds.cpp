// Writes the manual's pages on the firmware kinds straight from the recognition table: the list of
// every kind (arten.html) and one page per kind (art-<kind>.html), into the folder given. The pages
// are committed in docs/handbuch/; tools/update-manual.sh writes them there, and a test fails when
// they differ from what this program writes.
//   manual_kinds FOLDER

#include "demo/DemoFirmware.h"
#include "encode/CodeTables.h"
#include "image/Recognition.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\n':
            out += "<br>";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string kindPage(int kind) {
    return "art-" + std::to_string(kind) + ".html";
}

struct EditorPage {
    std::string_view file;  // the hand-written page that explains the editor
    std::string_view name;  // what the kind's page calls the editor
    std::string_view title; // the title of that page
};

std::optional<EditorPage> editorPage(hq::Panel panel) {
    switch (panel) {
    case hq::Panel::Servo:
        return EditorPage{"servo.html", "Servo-Editor", "Servo-Editor"};
    case hq::Panel::Blink:
        return EditorPage{"muster.html", "Blinkmuster-Editor", "Blink- und LED-Muster"};
    case hq::Panel::Led:
        return EditorPage{"muster.html#led", "LED-Muster-Editor", "Blink- und LED-Muster"};
    case hq::Panel::Neon:
        return EditorPage{"neon.html", "Neon-Werte", "Neon-Werte"};
    case hq::Panel::House:
        return EditorPage{"haus.html", "Mindestanzahl", "Hauslicht"};
    case hq::Panel::None:
        break;
    }
    return std::nullopt;
}

std::string editorCell(hq::Panel panel) {
    const std::optional<EditorPage> page = editorPage(panel);
    if (!page)
        return "–";
    return "<a href=\"" + std::string(page->file) + "\">" + std::string(page->name) + "</a>";
}

std::string extraCell(const hq::KindInfo& info) {
    if (!info.extra)
        return "–";
    return "„" + escaped(info.extra->caption) + "“";
}

// The rows that carry a caption, in order.
std::vector<int> captionedRows(const hq::KindInfo& info) {
    std::vector<int> rows;
    for (int row = 1; row < hq::kRowCount; ++row) {
        if (!info.rowCaptions[static_cast<std::size_t>(row)].empty())
            rows.push_back(row);
    }
    return rows;
}

std::string head(std::string_view title) {
    return "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           std::string(title) +
           "</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"handbuch.css\">\n</head>\n<body>\n"
           "<!-- Erzeugt von tools/update-manual.sh aus der Erkennungstabelle; nicht von Hand ändern. -->\n";
}

std::string foot(const std::string& previous, const std::string& previousTitle, const std::string& next,
                 const std::string& nextTitle) {
    std::string out = "<p class=\"nav\">";
    if (!previous.empty())
        out += "Vorige Seite: <a href=\"" + previous + "\">" + previousTitle + "</a> · ";
    out += "<a href=\"index.html\">Inhalt</a>";
    if (!next.empty())
        out += " · Nächste Seite: <a href=\"" + next + "\">" + nextTitle + "</a>";
    return out + "</p>\n</body>\n</html>\n";
}

std::string kindTitle(const hq::KindInfo& info) {
    return escaped(info.statusCaption) + " (Art " + std::to_string(info.kind) + ")";
}

std::string overview() {
    const auto kinds = hq::kindsTable();
    std::ostringstream out;
    out << head("Firmware-Arten");
    out << "<h1>Firmware-Arten</h1>\n"
        << "<p>Das Programm erkennt " << kinds.size()
        << " Firmware-Arten an festen Zeilen der HEX-Datei. Nach dem Laden steht der Name der Firmware "
           "in der Statusleiste; die Tabelle zeigt dann die Zeilen der Firmware mit ihren Bezeichnungen, "
           "den Zusatzwert und, wo es einen gibt, den Editor der Firmware. Jede Art hat hier eine eigene "
           "Seite.</p>\n"
        << "<p>Das Protokoll (MM oder DCC) und den Typ (Schalt- oder Fahrzeug-Dekoder) liest das "
           "Programm unabhängig von der Art aus der Datei; die Statusleiste zeigt das Protokoll als "
           "„Mot“, „DCC“ oder „ohne“.</p>\n"
        << "<table>\n<tr><th>Art</th><th>Firmware</th><th>Zeilen</th><th>Zusatzwert</th><th>Editor</th></"
           "tr>\n";
    for (const hq::KindInfo& info : kinds) {
        out << "<tr><td>" << info.kind << "</td><td><a href=\"" << kindPage(info.kind) << "\">"
            << escaped(info.statusCaption) << "</a></td><td>" << captionedRows(info).size() << "</td><td>"
            << extraCell(info) << "</td><td>" << editorCell(info.panel) << "</td></tr>\n";
    }
    out << "</table>\n";
    out << foot("anlage.html", "Die ganze Anlage", kindPage(kinds.front().kind), kindTitle(kinds.front()));
    return out.str();
}

std::string typeText(hq::DecoderType type) {
    if (type == hq::DecoderType::Fahrzeug)
        return "Fahrzeug-Dekoder (Funktions-Dekoder, „Fahrzeug“): je Zeile eine Adresse und eine "
               "Funktions-Nummer";
    return "Schalt-Dekoder (Zubehör-Dekoder, „Schalt“): je Zeile eine Adresse und R/G, die rote oder grüne "
           "Adresse";
}

std::string rangesText(hq::DecoderType type) {
    std::ostringstream out;
    if (type == hq::DecoderType::Fahrzeug) {
        out << "<li>MM: Adressen 1 bis " << hq::kMmHighestVehicle << ", Funktion 1 bis 4</li>\n"
            << "<li>DCC: Adressen 1 bis " << hq::kDccHighestVehicle << ", Funktion 1 bis 12</li>\n";
    } else {
        out << "<li>MM: Adressen 1 bis " << hq::kMmHighestAccessory << "</li>\n"
            << "<li>DCC: Adressen 1 bis " << hq::kDccHighestAccessory << "</li>\n";
    }
    out << "<li>0: unbenutzt, der Ausgang reagiert auf keinen Befehl</li>\n";
    return out.str();
}

std::string columnsText(const hq::KindInfo& info, const std::vector<int>& rows) {
    const bool twoColumns = !rows.empty() && rows.back() > info.rowsPerColumn;
    std::string text = std::to_string(rows.size()) + (rows.size() == 1 ? " Zeile" : " Zeilen");
    if (twoColumns)
        text += ", in zwei Spalten: die Zeilen bis " + std::to_string(info.rowsPerColumn) +
                " links, die übrigen rechts";
    return text;
}

std::string page(std::size_t index) {
    const auto kinds = hq::kindsTable();
    const hq::KindInfo& info = kinds[index];
    const hq::DecoderType type = hq::demoDefaultType(info.kind);
    const std::vector<int> rows = captionedRows(info);
    const std::string kind = std::to_string(info.kind);

    std::ostringstream out;
    out << head(kindTitle(info));
    out << "<h1>" << escaped(info.statusCaption) << "</h1>\n"
        << "<p>Firmware-Art " << kind
        << ". So heißt die Firmware in der Statusleiste, wenn das Programm die HEX-Datei erkannt hat.</p>\n"
        << "<table>\n"
        << "<tr><th>Art</th><td>" << kind << "</td></tr>\n"
        << "<tr><th>Typ</th><td>" << typeText(type) << "</td></tr>\n"
        << "<tr><th>Tabelle</th><td>" << columnsText(info, rows) << "</td></tr>\n"
        << "<tr><th>Zusatzwert</th><td>";
    if (info.extra)
        out << extraCell(info) << ", Hinweis im Feld: „" << escaped(info.extra->hint) << "“";
    else
        out << "keiner";
    out << "</td></tr>\n<tr><th>Editor</th><td>"
        << (info.panel == hq::Panel::None ? std::string("keiner") : editorCell(info.panel)) << "</td></tr>\n"
        << "</table>\n";

    out << "<h2>Zeilen</h2>\n"
        << "<p>Die Nummer der Zeile nennen auch die Warnungen der <a "
           "href=\"adresshilfe.html\">Adresshilfe</a> "
           "und die Einstellungs-Dateien (<code>\"row\"</code>).</p>\n"
        << "<table>\n<tr><th>Zeile</th><th>Bezeichnung</th><th>Spalte</th></tr>\n";
    for (int row : rows) {
        out << "<tr><td>" << row << "</td><td>" << escaped(info.rowCaptions[static_cast<std::size_t>(row)])
            << "</td><td>" << (row > info.rowsPerColumn ? "rechts" : "links") << "</td></tr>\n";
    }
    out << "</table>\n";

    out << "<h2>Adressen</h2>\n<p>Gültige Werte, je nach Protokoll der Datei:</p>\n<ul>\n"
        << rangesText(type) << "</ul>\n";
    if (info.extra) {
        out << "<p>Der Zusatzwert „" << escaped(info.extra->caption)
            << "“ gilt für den ganzen Dekoder, nicht für eine Zeile; sein Feld steht rechts neben der "
               "Tabelle.</p>\n";
    }
    if (const std::optional<EditorPage> editor = editorPage(info.panel)) {
        out << "<p>Was der Editor neben der Tabelle zeigt und wie man ihn bedient, steht auf der Seite <a "
               "href=\""
            << editor->file << "\">" << editor->title << "</a>.</p>\n";
    }

    out << "<h2>Zum Ausprobieren</h2>\n"
        << "<p>Die Kommandozeile schreibt eine Demo-Firmware dieser Art, die sich wie ein echter Dekoder "
           "laden, ändern und speichern lässt:</p>\n"
        << "<pre>hexquendra-cli demo " << kind << " --protocol dcc -o demo-" << kind << ".hex\n"
        << "hexquendra demo-" << kind << ".hex</pre>\n";

    const std::string previous = index == 0 ? "arten.html" : kindPage(kinds[index - 1].kind);
    const std::string previousTitle = index == 0 ? "Firmware-Arten" : kindTitle(kinds[index - 1]);
    const bool last = index + 1 == kinds.size();
    out << foot(previous, previousTitle, last ? std::string() : kindPage(kinds[index + 1].kind),
                last ? std::string() : kindTitle(kinds[index + 1]));
    return out.str();
}

bool write(const std::string& folder, const std::string& name, const std::string& text) {
    std::ofstream file(folder + "/" + name, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "manual_kinds: " << folder << "/" << name << " konnte nicht geschrieben werden\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "Aufruf: manual_kinds ORDNER\n";
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = write(folder, "arten.html", overview());
    const auto kinds = hq::kindsTable();
    for (std::size_t i = 0; i < kinds.size(); ++i)
        ok = write(folder, kindPage(kinds[i].kind), page(i)) && ok;
    return ok ? 0 : 1;
}
