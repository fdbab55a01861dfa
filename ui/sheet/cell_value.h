#pragma once
// The value of a cell as formulas and painters see it: nothing, a number, a
// text or an error value.

#include <string>

namespace cv {

enum class TCellError { Ref, Div0, Value, Name };

// The text an error value shows in its cell: "#REF!", "#DIV/0!", "#VALUE!", "#NAME?".
const char* CellErrorText(TCellError error);

struct TCellValue {
    enum class Kind { Empty, Number, Text, Error };
    Kind kind = Kind::Empty;
    double number = 0.0;
    std::string text;
    TCellError error = TCellError::Value;

    static TCellValue Number(double value) { return {Kind::Number, value, {}, TCellError::Value}; }
    static TCellValue Text(std::string value) { return {Kind::Text, 0.0, std::move(value), TCellError::Value}; }
    static TCellValue Error(TCellError value) { return {Kind::Error, 0.0, {}, value}; }

    bool IsError() const { return kind == Kind::Error; }
    bool IsNumber() const { return kind == Kind::Number; }
};

}  // namespace cv
