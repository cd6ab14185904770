#pragma once
// What a command answers for one input: named numbers and texts in a fixed
// order, each with the form the table shows it in. The writers (Output.h)
// turn it into a table for people or JSON or CSV for programs.

#include <string>
#include <string_view>
#include <vector>

namespace cli {

enum class Form {
    Fixed,     // table: value with `precision` decimals; programs: the exact double
    Typed,     // an entered number, in the table as typed, with at least `precision` decimals
    Signed,    // as Fixed, with a sign in the table (a deviation in cents)
    Exponent,  // table: "%e"; programs: the exact double
    Rounded,   // table and programs: the whole number int(value + 0.5), "%d"
    Whole,     // table: no decimals for a whole number, else four; programs: exact
    Text,      // `text`; programs: a string
    Missing,   // no value: the table says so, JSON null, CSV empty
};

struct Field {
    const char* key;    // the JSON member and CSV column
    const char* label;  // the table's row; nullptr: not a row of its own (a unit)
    Form form;
    double value = 0.0;
    int precision = 4;
    std::string_view text;  // for Form::Text: a unit or a note name, text that outlives the record
    const char* unit = "";  // shown after the number in the table
    // The table shows rows by group, in their order within one; fields added
    // later to the programs' output (after the older keys) can still be shown
    // beside their kin.
    int group = 0;
};

// How the table lays a record out.
enum class Layout {
    List,   // one row per field: label, number, unit
    Delay,  // the tempo, then bars and notes in a grid (Delay.cpp)
};

struct Record {
    Layout layout = Layout::List;
    std::vector<Field> fields;

    void Clear() { fields.clear(); }
    Field& Add(const char* key, const char* label, Form form, double value, const char* unit = "", int precision = 4)
    {
        fields.push_back(Field {key, label, form, value, precision, {}, unit, 0});
        return fields.back();
    }
    Field& AddText(const char* key, const char* label, std::string_view text)
    {
        Field& f = Add(key, label, Form::Text, 0.0);
        f.text = text;
        return f;
    }
};

// Why an input has no answer: a one-line message (without the program's
// name) and the exit status it stands for.
struct Failure {
    enum Status { OutOfRange = 1, Usage = 2 };
    Status status;
    std::string message;
};

}  // namespace cli
