#pragma once

class QWidget;

namespace zel::ui {

class FieldDataLink;

/// What a bound control does with its pending value when the focus leaves it.
namespace ControlCommit {

/// Writes the pending value of link. A value the field refuses is reported by
/// the default error display and stays in the control, which takes the focus
/// back so the user can correct it. Returns whether nothing is pending now.
bool onFocusLeft(QWidget* control, FieldDataLink& link);

}  // namespace ControlCommit

}  // namespace zel::ui
