#pragma once

#include "tools/report/PersonalCard.h"

#include <QByteArray>

namespace zel::report {

/// The printed personal card as a PDF on A4, drawn by Qt's own PDF writer from
/// the document flavour of the card's HTML. Needs a QGuiApplication (fonts).
namespace PersonalCardPdf {

QByteArray render(const PersonalCard& card);

}  // namespace PersonalCardPdf

}  // namespace zel::report
