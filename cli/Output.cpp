#include "cli/Output.h"

#include "cli/Messages.h"
#include "cli/Numbers.h"

#include <algorithm>

namespace cli {

namespace {

void AppendCsvText(std::string_view text, std::string& out);

std::string Unit(const char* unit, const Style& style)
{
    std::string text = unit;
    if (!style.utf8) {
        const std::size_t micro = text.find("\u00b5");
        if (micro != std::string::npos)
            text.replace(micro, 2, "u");
    }
    return text;
}

void AppendProgramNumber(const Field& field, std::string& out)
{
    if (field.form == Form::Rounded)
        out += FormatInteger(int(field.value + 0.5));
    else
        AppendExact(field.value == 0.0 ? 0.0 : field.value, out);  // never "-0"
}

void AppendJsonString(std::string_view text, std::string& out)
{
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[(c >> 4) & 0xf];
            out += hex[c & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendCsvText(std::string_view text, std::string& out)
{
    if (std::none_of(text.begin(), text.end(), [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; })) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void AppendJson(const Record& record, std::string& out)
{
    out += '{';
    bool first = true;
    for (const Field& f : record.fields) {
        if (!first)
            out += ',';
        first = false;
        AppendJsonString(f.key, out);
        out += ':';
        if (f.form == Form::Text)
            AppendJsonString(f.text, out);
        else if (f.form == Form::Missing)
            out += "null";
        else
            AppendProgramNumber(f, out);
    }
    out += "}\n";
}

void AppendCsv(const Record& record, bool header, std::string& out)
{
    if (header)
        AppendCsvHeader(record, out);
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
        const Field& f = record.fields[i];
        if (i)
            out += ',';
        if (f.form == Form::Text)
            AppendCsvText(f.text, out);
        else if (f.form != Form::Missing)
            AppendProgramNumber(f, out);
    }
    out += '\n';
}

void AppendList(const Record& record, const Style& style, std::string& out)
{
    struct Row {
        std::string label, number, unit;
    };
    std::vector<const Field*> shown;
    for (const Field& f : record.fields)
        if (f.label)
            shown.push_back(&f);
    std::stable_sort(shown.begin(), shown.end(), [](const Field* a, const Field* b) { return a->group < b->group; });
    std::vector<Row> rows;
    std::size_t labelWidth = 0, numberWidth = 0;
    for (const Field* field : shown) {
        const Field& f = *field;
        Row row {Unit(Tr(f.label), style), TableNumber(f, style),
                 f.form == Form::Missing ? "" : Unit(Tr(f.unit), style)};
        labelWidth = std::max(labelWidth, DisplayWidth(row.label));
        numberWidth = std::max(numberWidth, DisplayWidth(row.number));
        rows.push_back(std::move(row));
    }
    for (const Row& row : rows) {
        out += row.label;
        out.append(labelWidth - DisplayWidth(row.label) + 2, ' ');
        // Numbers and names alike end in one column, before the units.
        out.append(numberWidth - DisplayWidth(row.number), ' ');
        out += row.number;
        if (!row.unit.empty()) {
            out += ' ';
            out += row.unit;
        }
        out += '\n';
    }
}

}  // namespace

void AppendCsvHeader(const Record& record, std::string& out)
{
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
        if (i)
            out += ',';
        AppendCsvText(record.fields[i].key, out);
    }
    out += '\n';
}

std::size_t DisplayWidth(std::string_view text)
{
    // Japanese and Chinese characters take two columns, as terminals show
    // them (the East Asian wide ranges, in outline).
    const auto wide = [](char32_t c) {
        return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3)
               || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60)
               || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
    };
    std::size_t columns = 0;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if ((lead & 0xC0) == 0x80) {  // a byte inside a character
            ++i;
            continue;
        }
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        columns += wide(code) ? 2 : 1;
        i += length;
    }
    return columns;
}

namespace {

bool ShowsAsZero(const std::string& text) { return text.find_first_of("123456789") == std::string::npos; }

// A number that is zero shows without a sign; one that is not never shows as
// zero: where its decimals would, its significant digits are shown.
std::string FixedText(double value, int precision, bool typed)
{
    if (value == 0.0)
        return FormatFixed(0.0, precision);
    std::string text = typed ? FormatTyped(value, precision) : FormatFixed(value, precision);
    if (ShowsAsZero(text))
        text = FormatSignificant(value);
    return text;
}

}  // namespace

std::string TableNumber(const Field& field, const Style& style)
{
    std::string text;
    switch (field.form) {
    case Form::Fixed: text = FixedText(field.value, field.precision, false); break;
    case Form::Typed: text = FixedText(field.value, field.precision, true); break;
    case Form::Signed:
        text = FixedText(field.value, field.precision, false);
        if (field.value != 0.0 && text[0] != '-')
            text.insert(0, "+");
        break;
    case Form::Exponent: text = FormatExponent(field.value == 0.0 ? 0.0 : field.value); break;
    case Form::Rounded: return FormatInteger(int(field.value + 0.5));
    case Form::Whole:
        text = FormatWholeOrFixed(field.value);
        if (field.value != 0.0 && ShowsAsZero(text))
            text = FormatSignificant(field.value);
        break;
    case Form::Text: return std::string(field.text);
    case Form::Missing: return "-";
    }
    return WithDecimalSeparator(std::move(text), style.decimalSep);
}

void Writer::Append(const Record& record, std::string& out)
{
    const bool first = m_first;
    m_first = false;
    switch (m_format) {
    case Format::Json: AppendJson(record, out); break;
    case Format::Csv: AppendCsv(record, first, out); break;
    case Format::Table:
        if (!first)
            out += '\n';
        if (record.layout == Layout::Delay)
            AppendDelayTable(record, m_style, out);
        else
            AppendList(record, m_style, out);
        break;
    }
}

}  // namespace cli
