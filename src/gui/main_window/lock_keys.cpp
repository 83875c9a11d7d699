#include "gui/main_window/lock_keys.h"

#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <optional>

#if __has_include(<X11/XKBlib.h>)
#include <X11/XKBlib.h>
#define DUDODE_HAVE_XKB 1
#endif

namespace {


// The state of a named indicator, or nothing when it cannot be known here.
std::optional<bool> IndicatorState(const char* ledName) {
#ifdef DUDODE_HAVE_XKB
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (display == nullptr) return std::nullopt;
  const Atom name = XInternAtom(display, ledName, True);
  Bool on = False;
  if (name == None || !XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr)) {
    return std::nullopt;
  }
  return on == True;
#else
  (void)ledName;
  return std::nullopt;
#endif
}

}  // namespace

LockKeyIndicators::LockKeyIndicators(QStatusBar& bar) : QObject(&bar) {
  for (std::size_t i = 0; i < kIndicators.size(); ++i) {
    auto* label = new QLabel(QString::fromUtf8(kIndicators[i].text), &bar);
    label->setObjectName(QStringLiteral("indicator%1").arg(QString::fromUtf8(kIndicators[i].ledName).remove(' ')));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedWidth(label->fontMetrics().horizontalAdvance(label->text()) + 8);
    label->setAccessibleName(label->text());
    bar.addPermanentWidget(label);
    labels_[i] = label;
  }
  Update();
}

void LockKeyIndicators::Update() {
  for (std::size_t i = 0; i < kIndicators.size(); ++i) {
    const std::optional<bool> state = IndicatorState(kIndicators[i].ledName);
    labels_[i]->setVisible(state.has_value());
    // Like a key's light: the text shows while the key is on; the pane stays in place.
    labels_[i]->setText(state.value_or(false) ? QString::fromUtf8(kIndicators[i].text) : QString());
  }
}
