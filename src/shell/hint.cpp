#include "shell/hint.h"

#include <QWidget>

namespace qv {

void setHint(QWidget* control, const QString& hint, const QString& more) {
    control->setToolTip(hint);
    control->setWhatsThis(more.isEmpty() ? hint : hint + QStringLiteral(".\n\n") + more);
}

} // namespace qv
