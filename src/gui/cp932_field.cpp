#include "gui/cp932_field.h"

#include <QLineEdit>
#include <QToolTip>
#include <QValidator>
#include <vector>

#include "gui/qt_text.h"
#include "platform/cp932.h"

namespace {

// One character of the field: its UTF-16 units and its size in code page 932.
struct FieldChar {
  QString units;
  int bytes = 0;
};

// The input split into characters; those code page 932 cannot hold are left out.
struct SplitInput {
  std::vector<FieldChar> chars;
  std::size_t charsBeforeCursor = 0;
  bool refused = false;
};

SplitInput Split(const QString& input, int cursor) {
  SplitInput split;
  for (int i = 0; i < input.size();) {
    const int units = input[i].isHighSurrogate() && i + 1 < input.size() ? 2 : 1;
    const QString unitsOfChar = input.mid(i, units);
    const auto converted = cp932::FromUtf8(unitsOfChar.toUtf8().toStdString());
    if (converted.ok) {
      split.chars.push_back({unitsOfChar, static_cast<int>(converted.text.size())});
      if (i < cursor) ++split.charsBeforeCursor;
    } else {
      split.refused = true;
    }
    i += units;
  }
  return split;
}

// Drops characters until the text fits: first those just before the cursor, then, when
// the cursor is at the start, those at the end.
void TrimToLimit(SplitInput& split, int maxBytes) {
  int total = 0;
  for (const auto& c : split.chars) total += c.bytes;
  while (total > maxBytes && !split.chars.empty()) {
    const std::size_t victim =
        split.charsBeforeCursor > 0 ? --split.charsBeforeCursor : split.chars.size() - 1;
    total -= split.chars[victim].bytes;
    split.chars.erase(split.chars.begin() + static_cast<std::ptrdiff_t>(victim));
  }
}

// Trims inside validate() and never answers Invalid: Invalid would throw away a whole
// input-method commit instead of the part that does not fit.
class Cp932LimitValidator : public QValidator {
 public:
  Cp932LimitValidator(QLineEdit* edit, int maxBytes)
      : QValidator(edit), edit_(edit), maxBytes_(maxBytes) {}

  State validate(QString& input, int& pos) const override {
    // An unmodified field holds the program's own text (setText clears the modified flag).
    if (!edit_->isModified()) return Acceptable;
    SplitInput split = Split(input, pos);
    TrimToLimit(split, maxBytes_);
    if (split.refused) ShowRefusedHint();
    input.clear();
    pos = 0;
    for (std::size_t i = 0; i < split.chars.size(); ++i) {
      input += split.chars[i].units;
      if (i < split.charsBeforeCursor) pos = static_cast<int>(input.size());
    }
    return Acceptable;
  }

 private:
  void ShowRefusedHint() const {
    const QPoint below = edit_->mapToGlobal(QPoint(0, edit_->height()));
    QToolTip::showText(below, QString::fromUtf8(kUnsupportedCharHint), edit_);
  }

  QLineEdit* edit_;
  int maxBytes_;
};

}  // namespace

void LimitCp932Bytes(QLineEdit* edit, int maxBytes) {
  edit->setValidator(new Cp932LimitValidator(edit, maxBytes));
}

std::string Cp932Text(const QLineEdit* edit) {
  return ToCp932(edit->text());
}

void SetCp932Text(QLineEdit* edit, std::string_view cp932Text) {
  edit->setText(FromCp932(cp932Text));
}
