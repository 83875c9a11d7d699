#include "gui/entry/cp932_field.h"

#include <QLineEdit>
#include <QStringList>
#include <QToolTip>
#include <QValidator>
#include <QVariant>

#include "gui/common/qt_text.h"
#include "platform/cp932.h"

namespace {

// The properties that keep the bytes a field was given by the program and the text it
// showed for them: while the field still shows that text, unedited, those bytes are its value.
const char* StoredBytesProperty() {
  return "cp932StoredBytes";
}
const char* StoredShownProperty() {
  return "cp932StoredShown";
}

// The size in code page 932 of one character (its UTF-16 units), or -1 when the code page
// cannot hold it.
int Cp932Size(const QString& character) {
  const auto converted = cp932::FromUtf8(character.toUtf8().toStdString());
  return converted.ok ? static_cast<int>(converted.text.size()) : -1;
}

int CharacterUnits(const QString& text, int at) {
  return text[at].isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
}

int Cp932Size(const QString& text, int from, int to) {
  int bytes = 0;
  for (int i = from; i < to;) {
    const int units = CharacterUnits(text, i);
    bytes += std::max(Cp932Size(text.mid(i, units)), 0);
    i += units;
  }
  return bytes;
}

// What an edit changed: the text before `from` and the last `keptAfter` units are the old
// text's, the units between them came in.
struct Change {
  int from = 0;
  int keptAfter = 0;
};

// The change from `before` to `after`, the cursor standing behind what came in. Never cuts a
// surrogate pair.
Change Difference(const QString& before, const QString& after, int cursor) {
  Change change;
  const int common = static_cast<int>(std::min(before.size(), after.size()));
  while (change.from < common && change.from < cursor && before[change.from] == after[change.from]) {
    ++change.from;
  }
  if (change.from > 0 && before[change.from - 1].isHighSurrogate()) --change.from;
  while (change.keptAfter < common - change.from &&
         before[before.size() - 1 - change.keptAfter] == after[after.size() - 1 - change.keptAfter]) {
    ++change.keptAfter;
  }
  if (change.keptAfter > 0 && after[after.size() - change.keptAfter].isLowSurrogate()) {
    --change.keptAfter;
  }
  return change;
}

// The typing limit: what the user inserts is cut to the room the old text leaves, on a
// character boundary, and characters code page 932 cannot hold are left out. What was there
// before is never touched and deletions always pass, also while a text the program put in
// is longer than the limit. Never answers Invalid: that would throw away a whole
// input-method commit instead of the part that does not fit.
class Cp932LimitValidator : public QValidator {
 public:
  Cp932LimitValidator(QLineEdit* edit, int maxBytes)
      : QValidator(edit), edit_(edit), maxBytes_(maxBytes), accepted_(edit->text()) {
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
  }

  State validate(QString& input, int& pos) const override {
    // An unmodified field holds the program's own text (setText clears the modified flag).
    if (!edit_->isModified()) return Acceptable;
    const Change change = Difference(accepted_, input, pos);
    const int insertedEnd = static_cast<int>(input.size()) - change.keptAfter;
    if (insertedEnd <= change.from) return Acceptable;  // nothing came in: a deletion

    const int oldEnd = static_cast<int>(accepted_.size()) - change.keptAfter;
    int room = maxBytes_ - Cp932Size(accepted_, 0, change.from) -
               Cp932Size(accepted_, oldEnd, static_cast<int>(accepted_.size()));
    QString taken;
    QString refused;
    bool cut = false;
    for (int i = change.from; i < insertedEnd;) {
      const int units = CharacterUnits(input, i);
      const QString character = input.mid(i, units);
      const int bytes = Cp932Size(character);
      if (bytes < 0) {
        refused += character;
      } else if (bytes <= room) {
        taken += character;
        room -= bytes;
      } else {
        room = 0;  // a character that does not fit ends the insertion
        cut = true;
      }
      i += units;
    }
    ShowHint(refused, cut);
    input = accepted_.left(change.from) + taken + accepted_.mid(oldEnd);
    pos = static_cast<int>(change.from + taken.size());
    return Acceptable;
  }

 private:
  // Tells what was left out of an insertion, at the field.
  void ShowHint(const QString& refused, bool cut) const {
    QStringList lines;
    if (!refused.isEmpty()) lines << QString::fromUtf8(kUnsupportedCharHint) + " " + refused;
    if (cut) lines << QString::fromUtf8(kByteLimitHint).arg(maxBytes_);
    if (lines.isEmpty()) return;
    const QPoint below = edit_->mapToGlobal(QPoint(0, edit_->height()));
    QToolTip::showText(below, lines.join('\n'), edit_);
  }

  QLineEdit* edit_;
  int maxBytes_;
  QString accepted_;  // the field's text before the change being validated
};

}  // namespace

void LimitCp932Bytes(QLineEdit* edit, int maxBytes) {
  edit->setValidator(new Cp932LimitValidator(edit, maxBytes));
}

std::string Cp932Text(const QLineEdit* edit) {
  const QVariant shown = edit->property(StoredShownProperty());
  if (!edit->isModified() && shown.isValid() && shown.toString() == edit->text()) {
    return edit->property(StoredBytesProperty()).toByteArray().toStdString();
  }
  return ToCp932(edit->text());
}

void SetCp932Text(QLineEdit* edit, std::string_view cp932Text) {
  const QString shown = FromCp932(cp932Text);
  edit->setProperty(StoredBytesProperty(), QByteArray(cp932Text.data(), static_cast<qsizetype>(cp932Text.size())));
  edit->setProperty(StoredShownProperty(), shown);
  edit->setText(shown);
  // A text that cannot be shown whole cannot be edited either: it keeps its stored bytes.
  const bool whole = IsWholeCp932(cp932Text);
  edit->setReadOnly(!whole);
  edit->setToolTip(whole ? QString() : QString::fromUtf8(kNotShownWholeHint));
}
