// Reading goes through a SAX handler of our own rather than nlohmann's DOM parser: it sees each key
// as its object is filled (so a second one is caught), bounds the nesting, and gets the position of
// every error, which the DOM parser's exceptions do not all carry. The English texts of the
// library never reach the user; its token names are translated here.

#include "JsonText.h"

#include <vector>

namespace hq {

namespace {

std::string germanToken(std::string_view token) {
    static constexpr std::pair<std::string_view, std::string_view> kTokens[] = {
        {"end of input", "das Ende des Textes"},
        {"string literal", "ein Text in Anführungszeichen"},
        {"number literal", "eine Zahl"},
        {"true literal", "true"},
        {"false literal", "false"},
        {"null literal", "null"},
        {"'[', '{', or a literal", "ein Wert"},
        {"'['", "\"[\""},
        {"'{'", "\"{\""},
        {"']'", "\"]\""},
        {"'}'", "\"}\""},
        {"':'", "\":\""},
        {"','", "\",\""},
    };
    for (const auto& [english, german] : kTokens) {
        if (token == english)
            return std::string{german};
    }
    return "ein unerwartetes Zeichen";
}

// What the lexer found wrong with the characters themselves.
std::string germanLexerProblem(std::string_view problem) {
    if (problem.starts_with("invalid string: missing closing quote"))
        return "das schließende Anführungszeichen fehlt";
    if (problem.starts_with("invalid string: control character"))
        return "ein Steuerzeichen in einem Text muss mit \\ geschrieben werden";
    if (problem.starts_with("invalid string: ill-formed UTF-8"))
        return "der Text ist kein gültiges UTF-8";
    if (problem.starts_with("invalid string"))
        return "ungültige Schreibweise in einem Text (\\-Folge oder Zeichen)";
    if (problem.starts_with("invalid number"))
        return "ungültige Zahl";
    if (problem.starts_with("invalid literal"))
        return "unbekanntes Wort (erlaubt sind true, false und null)";
    if (problem.starts_with("invalid BOM"))
        return "ungültige Byte-Reihenfolge-Markierung";
    return "ungültiges Zeichen";
}

// nlohmann's syntax errors read "syntax error while parsing <what> - <problem>; expected <token>".
std::string germanSyntaxProblem(std::string_view message) {
    std::string_view detail = message;
    if (auto dash = message.find(" - "); dash != std::string_view::npos)
        detail = message.substr(dash + 3);
    std::string_view expected;
    if (auto pos = detail.find("; expected "); pos != std::string_view::npos) {
        expected = detail.substr(pos + 11);
        detail = detail.substr(0, pos);
    }
    std::string text;
    if (detail.starts_with("unexpected ")) {
        std::string_view token = detail.substr(11);
        text = token == "end of input" ? "der Text endet vorzeitig" : "unerwartet: " + germanToken(token);
    } else {
        if (auto pos = detail.find("; last read"); pos != std::string_view::npos)
            detail = detail.substr(0, pos);
        text = germanLexerProblem(detail);
    }
    if (!expected.empty())
        text += expected == "end of input" ? "; nach dem JSON darf nichts mehr folgen"
                                           : "; erwartet: " + germanToken(expected);
    return text;
}

std::string parseProblem(std::size_t position, const nlohmann::json::exception& error) {
    std::string text;
    if (error.id == 406)
        text = "Zahl außerhalb des darstellbaren Bereichs";
    else if (error.id == 101)
        text = germanSyntaxProblem(error.what());
    else
        text = "ungültiger Aufbau";
    return settingsProblem("kein gültiges JSON (Zeichen " + std::to_string(position) + ": " + text + ").");
}

// Builds the value like nlohmann's DOM parser. The open containers are held by pointer: a parent
// only grows after its child is closed, so the pointers stay valid.
class Builder {
public:
    Json root;
    std::string problem;

    bool null() { return add(Json()); }
    bool boolean(bool value) { return add(Json(value)); }
    bool number_integer(Json::number_integer_t value) { return add(Json(value)); }
    bool number_unsigned(Json::number_unsigned_t value) { return add(Json(value)); }
    bool number_float(Json::number_float_t value, const std::string&) { return add(Json(value)); }
    bool string(std::string& value) { return add(Json(std::move(value))); }
    bool binary(Json::binary_t&) { return refuse(settingsProblem("kein gültiges JSON.")); }

    bool start_object(std::size_t) { return open(Json::object()); }
    bool key(std::string& name) {
        if (open_.back()->contains(name))
            return refuse(settingsProblem("Der Schlüssel \"" + name + "\" steht zweimal im selben Objekt."));
        key_ = std::move(name);
        return true;
    }
    bool end_object() { return close(); }
    bool start_array(std::size_t) { return open(Json::array()); }
    bool end_array() { return close(); }

    bool parse_error(std::size_t position, const std::string&, const nlohmann::json::exception& error) {
        return refuse(parseProblem(position, error));
    }

private:
    Json* place(Json value) {
        if (open_.empty()) {
            root = std::move(value);
            return &root;
        }
        Json& container = *open_.back();
        if (container.is_array()) {
            container.push_back(std::move(value));
            return &container.back();
        }
        Json& slot = container[key_];
        slot = std::move(value);
        return &slot;
    }
    bool add(Json value) {
        place(std::move(value));
        return true;
    }
    bool open(Json container) {
        if (open_.size() >= static_cast<std::size_t>(kMaxJsonDepth))
            return refuse(settingsProblem("kein gültiges JSON (zu tief verschachtelt, höchstens " +
                                          std::to_string(kMaxJsonDepth) + " Ebenen)."));
        open_.push_back(place(std::move(container)));
        return true;
    }
    bool close() {
        open_.pop_back();
        return true;
    }
    bool refuse(std::string message) {
        if (problem.empty())
            problem = std::move(message);
        return false;
    }

    std::vector<Json*> open_;
    std::string key_;
};

// Appends `text` as a JSON string; bytes that are no UTF-8 become U+FFFD.
void appendString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            switch (byte) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0xF];
                } else {
                    out += static_cast<char>(byte);
                }
            }
            ++i;
            continue;
        }
        // The length and the lowest code point of the sequence the lead byte starts.
        std::size_t length = 0;
        char32_t lowest = 0;
        char32_t code = 0;
        if ((byte & 0xE0) == 0xC0) {
            length = 2;
            lowest = 0x80;
            code = byte & 0x1F;
        } else if ((byte & 0xF0) == 0xE0) {
            length = 3;
            lowest = 0x800;
            code = byte & 0x0F;
        } else if ((byte & 0xF8) == 0xF0) {
            length = 4;
            lowest = 0x10000;
            code = byte & 0x07;
        }
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        valid = valid && code >= lowest && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (valid) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    out += '"';
}

void appendValue(std::string& out, const Json& value, int indent) {
    const std::string inner(static_cast<std::size_t>(indent + 4), ' ');
    const std::string outer(static_cast<std::size_t>(indent), ' ');
    switch (value.type()) {
    case Json::value_t::object: {
        out += "{\n";
        std::size_t left = value.size();
        for (const auto& [key, member] : value.items()) {
            out += inner;
            appendString(out, key);
            out += ": ";
            appendValue(out, member, indent + 4);
            out += --left > 0 ? ",\n" : "\n";
        }
        out += outer + "}";
        break;
    }
    case Json::value_t::array: {
        out += "[\n";
        std::size_t left = value.size();
        for (const Json& element : value) {
            out += inner;
            appendValue(out, element, indent + 4);
            out += --left > 0 ? ",\n" : "\n";
        }
        out += outer + "]";
        break;
    }
    case Json::value_t::string:
        appendString(out, value.get_ref<const std::string&>());
        break;
    default:
        out += value.dump(); // numbers, true, false, null
        break;
    }
}

} // namespace

Result<Json> parseJsonText(std::string_view text) {
    static constexpr std::string_view bom = "\xEF\xBB\xBF"; // as some editors on Windows save
    if (text.starts_with(bom))
        text.remove_prefix(bom.size());
    Builder builder;
    if (!Json::sax_parse(text, &builder)) {
        if (builder.problem.empty())
            builder.problem = settingsProblem("kein gültiges JSON.");
        return Error{builder.problem, ErrorKind::Refused};
    }
    // The parser takes a NUL byte for the end of the text, so whatever follows one went unread;
    // JSON has no place for the byte itself.
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        return Error{settingsProblem("kein gültiges JSON (Zeichen " + std::to_string(nul + 1) +
                                     ": ein Null-Byte; nach dem JSON darf nichts mehr folgen)."),
                     ErrorKind::Refused};
    }
    return std::move(builder.root);
}

std::string jsonText(const Json& value) {
    std::string out;
    appendValue(out, value, 0);
    out += '\n';
    return out;
}

} // namespace hq
