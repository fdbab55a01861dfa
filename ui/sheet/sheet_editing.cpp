// Keyboard use and the cell editor of an editable sheet.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <cmath>

#include "ui/sheet/cell_painter.h"
#include "ui/sheet/sheet_view.h"

namespace cv {

// A line editor over the active cell. The keys that end an edit go back to
// the view; leaving the editor for another control writes what it holds.
class TCellEditor : public QLineEdit {
public:
    TCellEditor(TSheetView& view, int row, int column) : QLineEdit(&view), view_(view), row_(row), column_(column) {
        setFrame(false);
    }
    int Row() const { return row_; }
    int Column() const { return column_; }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (view_.EditorKey(event->key(), event->modifiers())) return event->accept();
        QLineEdit::keyPressEvent(event);
    }
    // Tab ends the edit rather than leaving for the next control.
    bool focusNextPrevChild(bool next) override {
        return view_.AllowTabs ? false : QLineEdit::focusNextPrevChild(next);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        // A popup (the editor's own menu) leaves the edit open.
        if (event->reason() != Qt::PopupFocusReason) view_.CommitEdit();
    }

private:
    TSheetView& view_;
    int row_;
    int column_;
};

namespace {

// The number a typed text stands for: digits with an optional sign, decimal
// point and thousands commas, and a trailing percent sign that only decorates.
bool ParseTypedNumber(QString text, double& value) {
    text = text.trimmed();
    if (text.endsWith(QLatin1Char('%'))) text.chop(1);
    text.remove(QLatin1Char(','));
    bool ok = false;
    value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value);
}

}  // namespace

QWidget* TSheetView::Editor() const { return editor_; }

QRect TSheetView::CellRect(int row, int column) const {
    const double scale = PixelsPerTwip();
    const auto edge = [scale](auto sum) { return static_cast<int>(std::round(sum * scale)); };
    // Where an index starts and ends, its edges rounded from the start of its
    // run (the fixed ones, then the scrolling ones) as the painter rounds them.
    const auto extent = [&](int index, int fixedFirst, int fixedCount, int scrolling,
                            auto sumBetween) -> std::pair<int, int> {
        if (index >= fixedFirst && index < fixedFirst + fixedCount)
            return {edge(sumBetween(fixedFirst, index - 1)), edge(sumBetween(fixedFirst, index))};
        if (index < scrolling) return {-1, -1};
        const int fixed = edge(sumBetween(fixedFirst, fixedFirst + fixedCount - 1));
        return {fixed + edge(sumBetween(scrolling, index - 1)), fixed + edge(sumBetween(scrolling, index))};
    };
    const auto [top, bottom] = extent(row, fixedRow_, fixedRows_, FirstScrollingRow(),
                                      [this](int first, int last) { return model_.RowsHeightTwips(first, last); });
    const auto [left, right] = extent(column, fixedCol_, fixedCols_, FirstScrollingColumn(),
                                      [this](int first, int last) { return model_.ColumnsWidthTwips(first, last); });
    if (left < 0 || top < 0) return {};
    return {left, top, right - left, bottom - top};
}

void TSheetView::BeginEdit(const QString& text) {
    if (!AllowInCellEditing || editor_) return;
    const TSheetSelection& selection = model_.Selection();
    const int row = selection.activeRow, column = selection.activeColumn;
    const QRect cell = CellRect(row, column);
    if (!model_.IsEditable(row, column) || cell.isEmpty()) return;
    editor_ = new TCellEditor(*this, row, column);
    editor_->setFont(SheetFont(model_.Format(row, column).font, PixelsPerTwip()));
    editor_->setGeometry(cell);
    editor_->setText(text);
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
}

void TSheetView::CommitEdit() {
    if (!editor_) return;
    TCellEditor* editor = editor_;
    editor_ = nullptr;  // the writes below may run listeners that end the edit again
    double value = 0;
    if (ParseTypedNumber(editor->text(), value)) {
        model_.SetNumber(editor->Row(), editor->Column(), value);
        if (OnCellTyped) OnCellTyped(editor->Row(), editor->Column());
    }
    editor->hide();
    editor->deleteLater();
    if (focusPolicy() != Qt::NoFocus) setFocus(Qt::OtherFocusReason);
    update();
}

void TSheetView::CancelEdit() {
    if (!editor_) return;
    TCellEditor* editor = editor_;
    editor_ = nullptr;
    editor->hide();
    editor->deleteLater();
    setFocus(Qt::OtherFocusReason);
}

void TSheetView::MoveActive(int rows, int columns) {
    const TSheetSelection& selection = model_.Selection();
    const int row = std::clamp(selection.activeRow + rows, 1, model_.MaxRow());
    const int column = std::clamp(selection.activeColumn + columns, 1, model_.MaxCol());
    model_.SetActiveCell(row, column);
}

bool TSheetView::EditorKey(int key, Qt::KeyboardModifiers modifiers) {
    switch (key) {
        case Qt::Key_Escape: CancelEdit(); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            CommitEdit();
            if (EnterMovesDown) MoveActive(1, 0);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (!AllowTabs) return false;
            CommitEdit();
            TabKey(key, modifiers);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (!AllowArrows) return false;
            CommitEdit();
            MoveActive(key == Qt::Key_Up ? -1 : 1, 0);
            return true;
        default: return false;
    }
}

void TSheetView::TabKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool backwards = key == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier);
    // The focus chain's own step, which this sheet's override withholds from Tab.
    if (modifiers & Qt::ControlModifier) QWidget::focusNextPrevChild(!backwards);
    else MoveActive(0, backwards ? -1 : 1);
}

bool TSheetView::focusNextPrevChild(bool next) {
    return AllowSelections && AllowTabs ? false : QWidget::focusNextPrevChild(next);
}

void TSheetView::keyPressEvent(QKeyEvent* event) {
    if (editor_) {
        // Keys sent to the view while it edits belong to the editor. One that
        // the editor leaves (Shift or Ctrl pressed alone) comes back up to the
        // view and stops here: passed down again it would go to and fro for ever.
        if (!EditorKey(event->key(), event->modifiers()) && !forwardingKey_) {
            forwardingKey_ = true;
            QCoreApplication::sendEvent(editor_, event);
            forwardingKey_ = false;
        }
        return event->accept();
    }
    if (AllowSelections && AllowArrows) {
        static constexpr std::pair<int, std::pair<int, int>> kArrows[] = {
            {Qt::Key_Up, {-1, 0}}, {Qt::Key_Down, {1, 0}}, {Qt::Key_Left, {0, -1}}, {Qt::Key_Right, {0, 1}}};
        for (const auto& [key, step] : kArrows)
            if (event->key() == key) {
                MoveActive(step.first, step.second);
                return event->accept();
            }
    }
    if (AllowSelections && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && EnterMovesDown) {
        MoveActive(1, 0);
        return event->accept();
    }
    if (AllowSelections && AllowTabs && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        TabKey(event->key(), event->modifiers());
        return event->accept();
    }
    if (AllowInCellEditing && event->key() == Qt::Key_F2) {
        const TSheetSelection& selection = model_.Selection();
        BeginEdit(QString::number(model_.Number(selection.activeRow, selection.activeColumn), 'g', 15));
        return event->accept();
    }
    const QString text = event->text();
    if (AllowInCellEditing && !text.isEmpty() && text.front().isPrint()) {
        BeginEdit(text);
        if (editor_) return event->accept();
    }
    QWidget::keyPressEvent(event);
}

}  // namespace cv
