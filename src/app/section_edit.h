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
    SectionEdit(int tag, QWidget* parent);

    int tag() const { return tag_; }

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
    void clicked(int tag);
    // The operator changed the text; `caret` is the new caret as a byte offset.
    void bytesEdited(int tag, const std::string& bytes, std::size_t caret);
    // The operator entered text that code page 936 cannot hold; the old text is back.
    void unstorableInput(int tag);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void takeEdit(const QString& text);
    void restore(const QString& refused);

    int tag_;
    int byteLimit_;
    std::string bytes_;
    std::vector<std::size_t> byteLengths_;
};

}  // namespace lumera::app
