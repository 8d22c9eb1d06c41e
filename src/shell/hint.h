#pragma once
// A control's hint: the tooltip over it, and the same words, with a sentence more
// when given, for "&Please explain this!".

#include <QString>

class QWidget;

namespace qv {

void setHint(QWidget* control, const QString& hint, const QString& more = {});

} // namespace qv
