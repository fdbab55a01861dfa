#include "ui/sheet/formula.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

#include "ui/sheet/cell_ref.h"
#include "ui/sheet/number_format.h"

namespace cv {

struct TFormula::TNode {
    enum class Kind { Number, Ref, Range, BadRef, Negate, Plus, Add, Subtract, Multiply, Divide, Group, Sum };
    Kind kind = Kind::Number;
    double number = 0.0;
    // Ref: first; Range: first and second.
    struct TRef {
        int row = 1;
        int column = 1;
        bool absoluteRow = false;
        bool absoluteColumn = false;
    } first, second;
    std::vector<std::unique_ptr<TNode>> children;

    std::unique_ptr<TNode> Clone() const {
        auto copy = std::make_unique<TNode>();
        copy->kind = kind;
        copy->number = number;
        copy->first = first;
        copy->second = second;
        for (const auto& child : children) copy->children.push_back(child->Clone());
        return copy;
    }
};

namespace {

using TNode = TFormula::TNode;
using TNodePtr = std::unique_ptr<TNode>;

std::unique_ptr<TNode> MakeNode(TNode::Kind kind) {
    auto node = std::make_unique<TNode>();
    node->kind = kind;
    return node;
}

// Recursive-descent parser; every step returns nothing on a malformed text.
class TParser {
public:
    explicit TParser(std::string_view text) : text_(text) {}

    TNodePtr ParseAll() {
        SkipSpaces();
        if (Peek() == '=') ++pos_;
        TNodePtr root = ParseSum();
        SkipSpaces();
        if (!root || pos_ != text_.size()) return nullptr;
        return root;
    }

private:
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    void SkipSpaces() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    bool Accept(char c) {
        SkipSpaces();
        if (Peek() != c) return false;
        ++pos_;
        return true;
    }

    TNodePtr Binary(TNodePtr left, TNode::Kind kind, TNodePtr right) {
        if (!left || !right) return nullptr;
        TNodePtr node = MakeNode(kind);
        node->children.push_back(std::move(left));
        node->children.push_back(std::move(right));
        return node;
    }

    TNodePtr ParseSum() {
        TNodePtr left = ParseProduct();
        while (left) {
            if (Accept('+')) left = Binary(std::move(left), TNode::Kind::Add, ParseProduct());
            else if (Accept('-')) left = Binary(std::move(left), TNode::Kind::Subtract, ParseProduct());
            else break;
        }
        return left;
    }

    TNodePtr ParseProduct() {
        TNodePtr left = ParseUnary();
        while (left) {
            if (Accept('*')) left = Binary(std::move(left), TNode::Kind::Multiply, ParseUnary());
            else if (Accept('/')) left = Binary(std::move(left), TNode::Kind::Divide, ParseUnary());
            else break;
        }
        return left;
    }

    TNodePtr ParseUnary() {
        for (const auto& [sign, kind] : {std::pair{'-', TNode::Kind::Negate}, std::pair{'+', TNode::Kind::Plus}}) {
            if (Accept(sign)) {
                TNodePtr operand = ParseUnary();
                if (!operand) return nullptr;
                TNodePtr node = MakeNode(kind);
                node->children.push_back(std::move(operand));
                return node;
            }
        }
        return ParsePrimary();
    }

    TNodePtr ParsePrimary() {
        SkipSpaces();
        if (Accept('(')) {
            TNodePtr inner = ParseSum();
            if (!inner || !Accept(')')) return nullptr;
            TNodePtr group = MakeNode(TNode::Kind::Group);
            group->children.push_back(std::move(inner));
            return group;
        }
        const char c = Peek();
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') return ParseNumber();
        if (c == '$' || std::isalpha(static_cast<unsigned char>(c))) return ParseNameOrRef();
        return nullptr;
    }

    TNodePtr ParseNumber() {
        const std::string rest(text_.substr(pos_));
        char* end = nullptr;
        const double value = std::strtod(rest.c_str(), &end);
        if (end == rest.c_str()) return nullptr;
        pos_ += static_cast<std::size_t>(end - rest.c_str());
        TNodePtr node = MakeNode(TNode::Kind::Number);
        node->number = value;
        return node;
    }

    // A reference such as "$B$12": column letters, then row digits.
    std::optional<TNode::TRef> ParseRef() {
        const std::size_t start = pos_;
        TNode::TRef ref;
        ref.absoluteColumn = Peek() == '$';
        if (ref.absoluteColumn) ++pos_;
        long column = 0;
        std::size_t letters = 0;
        while (std::isalpha(static_cast<unsigned char>(Peek())) && letters < 4) {
            column = column * 26 + (std::toupper(static_cast<unsigned char>(Peek())) - 'A' + 1);
            ++pos_;
            ++letters;
        }
        ref.absoluteRow = Peek() == '$';
        if (ref.absoluteRow) ++pos_;
        long row = 0;
        std::size_t digits = 0;
        while (std::isdigit(static_cast<unsigned char>(Peek())) && digits < 7) {
            row = row * 10 + (Peek() - '0');
            ++pos_;
            ++digits;
        }
        if (letters == 0 || digits == 0 || std::isalnum(static_cast<unsigned char>(Peek()))) {
            pos_ = start;
            return std::nullopt;
        }
        ref.row = static_cast<int>(row);
        ref.column = static_cast<int>(column);
        return ref;
    }

    TNodePtr ParseNameOrRef() {
        if (std::optional<TNode::TRef> ref = ParseRef()) {
            TNodePtr node = MakeNode(TNode::Kind::Ref);
            node->first = *ref;
            return node;
        }
        std::string name;
        while (std::isalpha(static_cast<unsigned char>(Peek())))
            name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(text_[pos_++]))));
        if (name != "SUM" || !Accept('(')) return nullptr;
        TNodePtr sum = MakeNode(TNode::Kind::Sum);
        if (Accept(')')) return sum;
        do {
            TNodePtr argument = ParseSumArgument();
            if (!argument) return nullptr;
            sum->children.push_back(std::move(argument));
        } while (Accept(','));
        return Accept(')') ? std::move(sum) : nullptr;
    }

    // A range "B2:B9", or any expression.
    TNodePtr ParseSumArgument() {
        SkipSpaces();
        const std::size_t start = pos_;
        if (std::optional<TNode::TRef> first = ParseRef()) {
            if (Accept(':')) {
                SkipSpaces();
                std::optional<TNode::TRef> second = ParseRef();
                if (!second) return nullptr;
                TNodePtr range = MakeNode(TNode::Kind::Range);
                range->first = *first;
                range->second = *second;
                return range;
            }
            pos_ = start;
        }
        return ParseSum();
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// A value as a number for arithmetic: empty is 0, a numeric text its number.
TCellValue AsNumber(const TCellValue& value) {
    switch (value.kind) {
        case TCellValue::Kind::Empty: return TCellValue::Number(0.0);
        case TCellValue::Kind::Number:
        case TCellValue::Kind::Error: return value;
        case TCellValue::Kind::Text: {
            const char* begin = value.text.c_str();
            char* end = nullptr;
            const double number = std::strtod(begin, &end);
            while (end && *end == ' ') ++end;
            if (end == begin || *end != '\0') return TCellValue::Error(TCellError::Value);
            return TCellValue::Number(number);
        }
    }
    return TCellValue::Error(TCellError::Value);
}

TCellValue ReadRef(const TNode::TRef& ref, const TCellSource& cells) {
    if (!IsInsideSheet(ref.row, ref.column)) return TCellValue::Error(TCellError::Ref);
    return cells.CellValue(ref.row, ref.column);
}

TCellValue Evaluate(const TNode& node, const TCellSource& cells);

TCellValue EvaluateSum(const TNode& node, const TCellSource& cells) {
    double total = 0.0;
    for (const auto& argument : node.children) {
        if (argument->kind == TNode::Kind::Range) {
            const TNode::TRef& a = argument->first;
            const TNode::TRef& b = argument->second;
            if (!IsInsideSheet(a.row, a.column) || !IsInsideSheet(b.row, b.column))
                return TCellValue::Error(TCellError::Ref);
            for (int row = std::min(a.row, b.row); row <= std::max(a.row, b.row); ++row)
                for (int column = std::min(a.column, b.column); column <= std::max(a.column, b.column); ++column) {
                    const TCellValue value = cells.CellValue(row, column);
                    if (value.IsError()) return value;
                    if (value.IsNumber()) total += value.number;
                }
            continue;
        }
        TCellValue value = argument->kind == TNode::Kind::Ref ? ReadRef(argument->first, cells)
                                                               : AsNumber(Evaluate(*argument, cells));
        if (value.IsError()) return value;
        if (value.IsNumber()) total += value.number;  // texts in a summed cell count as nothing
    }
    return TCellValue::Number(total);
}

TCellValue Arithmetic(TNode::Kind kind, double left, double right) {
    switch (kind) {
        case TNode::Kind::Add: return TCellValue::Number(left + right);
        case TNode::Kind::Subtract: return TCellValue::Number(left - right);
        case TNode::Kind::Multiply: return TCellValue::Number(left * right);
        default:
            if (right == 0.0) return TCellValue::Error(TCellError::Div0);
            return TCellValue::Number(left / right);
    }
}

TCellValue Evaluate(const TNode& node, const TCellSource& cells) {
    switch (node.kind) {
        case TNode::Kind::Number: return TCellValue::Number(node.number);
        case TNode::Kind::Ref: return ReadRef(node.first, cells);
        case TNode::Kind::Range:
        case TNode::Kind::BadRef: return TCellValue::Error(TCellError::Ref);
        case TNode::Kind::Group: return Evaluate(*node.children[0], cells);
        case TNode::Kind::Sum: return EvaluateSum(node, cells);
        case TNode::Kind::Negate:
        case TNode::Kind::Plus: {
            TCellValue operand = AsNumber(Evaluate(*node.children[0], cells));
            if (!operand.IsError() && node.kind == TNode::Kind::Negate) operand.number = -operand.number;
            return operand;
        }
        default: {
            const TCellValue left = AsNumber(Evaluate(*node.children[0], cells));
            if (left.IsError()) return left;
            const TCellValue right = AsNumber(Evaluate(*node.children[1], cells));
            if (right.IsError()) return right;
            return Arithmetic(node.kind, left.number, right.number);
        }
    }
}

std::string RefText(const TNode::TRef& ref) {
    return (ref.absoluteColumn ? "$" : "") + ColumnLetters(ref.column) + (ref.absoluteRow ? "$" : "") +
           std::to_string(ref.row);
}

std::string NodeText(const TNode& node) {
    switch (node.kind) {
        case TNode::Kind::Number: return GeneralNumberText(node.number);
        case TNode::Kind::Ref: return RefText(node.first);
        case TNode::Kind::Range: return RefText(node.first) + ":" + RefText(node.second);
        case TNode::Kind::BadRef: return CellErrorText(TCellError::Ref);
        case TNode::Kind::Group: return "(" + NodeText(*node.children[0]) + ")";
        case TNode::Kind::Negate: return "-" + NodeText(*node.children[0]);
        case TNode::Kind::Plus: return "+" + NodeText(*node.children[0]);
        case TNode::Kind::Sum: {
            std::string text = "SUM(";
            for (std::size_t i = 0; i < node.children.size(); ++i)
                text += (i ? "," : "") + NodeText(*node.children[i]);
            return text + ")";
        }
        default: {
            const char* op = node.kind == TNode::Kind::Add        ? "+"
                             : node.kind == TNode::Kind::Subtract ? "-"
                             : node.kind == TNode::Kind::Multiply ? "*"
                                                                  : "/";
            return NodeText(*node.children[0]) + op + NodeText(*node.children[1]);
        }
    }
}

// Row of a reference once rows First..Last are gone; nothing when it was one of them.
std::optional<int> ShiftedRow(int row, int first, int last) {
    if (row < first) return row;
    if (row > last) return row - (last - first + 1);
    return std::nullopt;
}

void ShiftRows(TNode& node, int first, int last) {
    const int removed = last - first + 1;
    if (node.kind == TNode::Kind::Ref) {
        if (std::optional<int> row = ShiftedRow(node.first.row, first, last)) node.first.row = *row;
        else node.kind = TNode::Kind::BadRef;
    } else if (node.kind == TNode::Kind::Range) {
        TNode::TRef& top = node.first.row <= node.second.row ? node.first : node.second;
        TNode::TRef& bottom = node.first.row <= node.second.row ? node.second : node.first;
        if (top.row >= first && bottom.row <= last) {
            node.kind = TNode::Kind::BadRef;
            return;
        }
        if (top.row > last) top.row -= removed;
        else if (top.row >= first) top.row = first;
        if (bottom.row > last) bottom.row -= removed;
        else if (bottom.row >= first) bottom.row = first - 1;
    }
    for (auto& child : node.children) ShiftRows(*child, first, last);
}

bool MoveRef(TNode::TRef& ref, int rowDelta, int columnDelta) {
    if (!ref.absoluteRow) ref.row += rowDelta;
    if (!ref.absoluteColumn) ref.column += columnDelta;
    return IsInsideSheet(ref.row, ref.column);
}

void MoveRefs(TNode& node, int rowDelta, int columnDelta) {
    if (node.kind == TNode::Kind::Ref || node.kind == TNode::Kind::Range) {
        const bool inside = MoveRef(node.first, rowDelta, columnDelta) &&
                            (node.kind == TNode::Kind::Ref || MoveRef(node.second, rowDelta, columnDelta));
        if (!inside) node.kind = TNode::Kind::BadRef;
    }
    for (auto& child : node.children) MoveRefs(*child, rowDelta, columnDelta);
}

}  // namespace

TFormula::~TFormula() = default;

std::shared_ptr<const TFormula> TFormula::Parse(std::string_view text) {
    std::shared_ptr<TFormula> formula(new TFormula());
    formula->text_ = std::string(text.substr(!text.empty() && text.front() == '=' ? 1 : 0));
    formula->root_ = TParser(text).ParseAll();
    return formula;
}

TCellValue TFormula::Evaluate(const TCellSource& cells) const {
    if (!root_) return TCellValue::Error(TCellError::Name);
    const TCellValue value = cv::Evaluate(*root_, cells);
    if (value.kind == TCellValue::Kind::Empty) return TCellValue::Number(0.0);  // "=B2" of an empty B2 shows 0
    if (value.IsNumber() && !std::isfinite(value.number)) return TCellValue::Error(TCellError::Value);
    return value;
}

std::string TFormula::Text() const { return text_; }

std::shared_ptr<const TFormula> TFormula::AfterRowsDeleted(int first, int last) const {
    std::shared_ptr<TFormula> copy(new TFormula());
    copy->text_ = text_;
    if (root_) {
        copy->root_ = root_->Clone();
        ShiftRows(*copy->root_, first, last);
        copy->text_ = NodeText(*copy->root_);
    }
    return copy;
}

std::shared_ptr<const TFormula> TFormula::Moved(int rowDelta, int columnDelta) const {
    std::shared_ptr<TFormula> copy(new TFormula());
    copy->text_ = text_;
    if (root_) {
        copy->root_ = root_->Clone();
        MoveRefs(*copy->root_, rowDelta, columnDelta);
        copy->text_ = NodeText(*copy->root_);
    }
    return copy;
}

}  // namespace cv
