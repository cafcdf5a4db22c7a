#pragma once

#include <QLineEdit>
#include <cstddef>
#include <string>
#include <vector>

namespace lumera::app {

// The edit of one section (ME n): shows the section's bytes and hands every change the
// operator makes (typing, pasting, the input method) back as bytes. It never changes its
// text on its own: the window shows the model's bytes through showBytes().
class SectionEdit : public QLineEdit {
    Q_OBJECT

public:
    // `index`: the section's, 0..31; the edit is named ME1..ME32 after its number.
    SectionEdit(int index, QWidget* parent);

    int index() const { return index_; }

    // A text the program sets; not held to the byte limit and raises no signal.
    void showBytes(const std::string& bytes);
    // Typed input is refused when it would make the text longer than this many bytes.
    void setByteLimit(int limit) { byteLimit_ = limit; }
    int byteLimit() const { return byteLimit_; }

    std::size_t caretByteOffset() const;
    void setCaretByteOffset(std::size_t offset);
    // Where a key inserts: the start of the selection, else the caret.
    std::size_t insertionByteOffset() const;

signals:
    // A left mouse press in the edit (keyboard focus alone does not count).
    void clicked(int index);
    // The operator changed the text; `caret` is the new caret as a byte offset.
    void bytesEdited(int index, const std::string& bytes, std::size_t caret);
    // The operator entered text that code page 936 cannot hold; the old text is back.
    // `refused` names the first such character and its code.
    void unstorableInput(int index, const QString& refused);
    // Typed input was refused because the text would pass the byte limit.
    void byteLimitReached(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // Undo and redo belong to the window's history, not to the edit's own.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void takeEdit(const QString& text);
    void restore(const QString& refused);

    int index_;
    int byteLimit_;
    std::string bytes_;
    std::vector<std::size_t> byteLengths_;
};

}  // namespace lumera::app
