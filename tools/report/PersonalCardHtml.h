#pragma once

#include "tools/report/PersonalCard.h"

#include <QByteArray>
#include <QSize>
#include <QString>

namespace zel::report {

/// The printed personal card as one HTML page laid out for A4, modelled on the
/// unified personal card of personnel offices: heading with the photo, general
/// data, passport, addresses, languages, education, service, family, military
/// registration, work history, qualification courses, awards, leave, signatures.
namespace PersonalCardHtml {

enum class Target {
    Browser,   ///< full page: @page rules, a print button, the photo inline
    Document,  ///< the subset Qt's rich text understands; the photo is the resource PhotoResource()
};

/// documentPhotoSize: the photo's size in the document flavour's pixels (the
/// browser flavour sizes it by its style sheet).
QString render(const PersonalCard& card, Target target, const QSize& documentPhotoSize = QSize(90, 120));

/// The name under which the document flavour refers to the photo.
QString PhotoResource();
/// The stored photo as PNG bytes; empty when there is none or it cannot be decoded.
QByteArray photoPng(const QByteArray& stored);

}  // namespace PersonalCardHtml

}  // namespace zel::report
