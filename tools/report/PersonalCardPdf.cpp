#include "tools/report/PersonalCardPdf.h"

#include "tools/report/PersonalCardHtml.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>
#include <QUrl>

namespace zel::report::PersonalCardPdf {

namespace {
constexpr qreal kLargestPointSize = 7.5;
constexpr qreal kSmallestPointSize = 5.0;
}  // namespace

QByteArray render(const PersonalCard& card)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Личная карточка: ") + card.fullName());
        writer.setCreator(QStringLiteral("ZEL 4"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(14, 8, 8, 8), QPageLayout::Millimeter));
        writer.setResolution(300);

        QTextDocument document;
        // Laid out at the writer's resolution on its printable area, so that the
        // page is exactly the one printed and no margins of Qt's own are added.
        document.documentLayout()->setPaintDevice(&writer);
        document.setPageSize(writer.pageLayout().paintRectPixels(writer.resolution()).size());
        document.setDocumentMargin(0);
        document.setDefaultStyleSheet(QStringLiteral(
            "th { background-color: #eeeeee; font-weight: normal; } .small { font-size: 5.5pt; }"));
        const QImage photo = QImage::fromData(card.photo);
        if (!photo.isNull())
            document.addResource(QTextDocument::ImageResource, QUrl(PersonalCardHtml::PhotoResource()), photo);
        // The photo 30 x 40 mm, as the card's form has it; image sizes are in
        // 96-dpi pixels whatever the device.
        const qreal dotsPerMm = 96 / 25.4;
        const QString html = PersonalCardHtml::render(card, PersonalCardHtml::Target::Document,
                                                      QSize(qRound(30 * dotsPerMm), qRound(40 * dotsPerMm)));
        // The card is one sheet: a long history is set in smaller type.
        QFont font(QStringLiteral("DejaVu Sans"));
        for (qreal size = kLargestPointSize;; size -= 0.5) {
            font.setPointSizeF(size);
            document.setDefaultFont(font);
            document.setHtml(html);
            if (document.pageCount() <= 1 || size <= kSmallestPointSize)
                break;
        }
        document.print(&writer);
    }
    buffer.close();
    return pdf;
}

}  // namespace zel::report::PersonalCardPdf
