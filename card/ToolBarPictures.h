#pragma once

#include <QIcon>

namespace zel {

/// The pictures of the card's tool-bar buttons, drawn rather than shipped as files.
namespace ToolBarPictures {

QIcon addToDictionary();
QIcon save();
QIcon search();
QIcon newRecord();
QIcon cancel();

}  // namespace ToolBarPictures

}  // namespace zel
