#include "tools/report/PersonalCardHtml.h"

#include <QBuffer>
#include <QImage>
#include <QSize>

namespace zel::report::PersonalCardHtml {

namespace {

QString esc(const QString& text)
{
    return text.toHtmlEscaped();
}

/// A value, or a blank line to be filled in by hand.
QString valueCell(const QString& value)
{
    return value.isEmpty() ? QStringLiteral("&nbsp;") : esc(value);
}

const char* const kBrowserStyle =
    "@page { size: A4 portrait; margin: 10mm 10mm 12mm 14mm; }\n"
    "body { font-family: 'DejaVu Sans', 'Liberation Sans', Arial, sans-serif; font-size: 8pt; margin: 0; }\n"
    ".sheet { width: 186mm; margin: 0 auto; }\n"
    "h1 { font-size: 12pt; text-align: center; margin: 2mm 0; letter-spacing: 1px; }\n"
    "h2 { font-size: 9pt; margin: 3mm 0 1mm 0; border-bottom: 1px solid #000; }\n"
    "table { border-collapse: collapse; width: 100%; }\n"
    "table.grid td, table.grid th { border: 1px solid #000; padding: 1px 3px; vertical-align: top; }\n"
    "table.grid th { background: #eee; font-weight: normal; font-size: 7pt; }\n"
    "table.facts td { padding: 1px 3px; vertical-align: top; }\n"
    "td.label { color: #333; width: 22%; }\n"
    "td.value { border-bottom: 1px solid #999; width: 28%; }\n"
    ".photo { width: 30mm; height: 40mm; border: 1px solid #000; text-align: center; }\n"
    ".photo img { width: 30mm; height: 40mm; object-fit: cover; }\n"
    ".signs td { padding-top: 6mm; }\n"
    ".small { font-size: 6pt; color: #333; text-align: center; }\n"
    ".toolbar { margin: 4mm 0; text-align: right; }\n"
    "@media print { .toolbar { display: none; } .sheet { width: auto; } }\n";

QString sectionTitle(const QString& title)
{
    return QStringLiteral("<h2 style=\"font-size: 8.5pt; margin-top: 5px; margin-bottom: 1px\">") + esc(title)
        + QStringLiteral("</h2>");
}

QString factsTable(const CardSection& section)
{
    QString html = QStringLiteral("<table class=\"facts\" width=\"100%\" cellspacing=\"0\" cellpadding=\"1\">");
    for (qsizetype i = 0; i < section.facts.size(); i += 2) {
        html += QStringLiteral("<tr>");
        for (qsizetype j = i; j < i + 2; ++j) {
            if (j < section.facts.size())
                html += QStringLiteral("<td class=\"label\" width=\"22%\">") + esc(section.facts[j].first)
                    + QStringLiteral(":</td><td class=\"value\" width=\"28%\"><b>")
                    + valueCell(section.facts[j].second) + QStringLiteral("</b></td>");
            else
                html += QStringLiteral("<td></td><td></td>");
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString gridTable(const CardSection& section)
{
    QString html = QStringLiteral("<table class=\"grid\" width=\"100%\" border=\"1\" cellspacing=\"0\" "
                                  "cellpadding=\"1\" style=\"border-collapse: collapse\"><tr>");
    for (const QString& header : section.headers)
        html += QStringLiteral("<th>") + esc(header) + QStringLiteral("</th>");
    html += QStringLiteral("</tr>");
    if (section.rows.isEmpty())
        html += QStringLiteral("<tr><td colspan=\"%1\" align=\"center\">Сведений нет</td></tr>")
                    .arg(section.headers.size());
    for (const QStringList& row : section.rows) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : row)
            html += QStringLiteral("<td>") + valueCell(cell) + QStringLiteral("</td>");
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString photoCell(const PersonalCard& card, Target target, const QSize& documentPhotoSize)
{
    const QByteArray png = photoPng(card.photo);
    if (png.isEmpty())
        return QStringLiteral("<br/><br/>Место<br/>для<br/>фотографии");
    if (target == Target::Document)
        return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\"/>")
            .arg(PhotoResource())
            .arg(documentPhotoSize.width())
            .arg(documentPhotoSize.height());
    return QStringLiteral("<img alt=\"Фотография\" src=\"data:image/png;base64,") + QString::fromLatin1(png.toBase64())
        + QStringLiteral("\"/>");
}

QString heading(const PersonalCard& card, Target target, const QSize& documentPhotoSize)
{
    QString html = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\"><tr><td valign=\"top\">");
    html += QStringLiteral("<div>") + esc(card.institution) + QStringLiteral("</div>");
    html += QStringLiteral("<h1 style=\"font-size: 12pt; margin-top: 2px; margin-bottom: 4px\">"
                           "ЛИЧНАЯ КАРТОЧКА РАБОТНИКА</h1>");
    html += QStringLiteral("<table class=\"grid\" width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
                           "style=\"border-collapse: collapse\"><tr><th>Табельный номер</th>"
                           "<th>Дата составления</th></tr><tr><td align=\"center\">")
        + QString::number(card.key) + QStringLiteral("</td><td align=\"center\">") + valueCell(card.filledIn)
        + QStringLiteral("</td></tr></table>");
    html += QStringLiteral("<p style=\"font-size: 10pt; margin-top: 4px\">Фамилия, имя, отчество: <b>")
        + esc(card.fullName()) + QStringLiteral("</b></p>");
    html += QStringLiteral("</td><td width=\"20%\" align=\"center\" valign=\"top\"><div class=\"photo\">")
        + photoCell(card, target, documentPhotoSize) + QStringLiteral("</div></td></tr></table>");
    return html;
}

QString signatures()
{
    return QStringLiteral(
        "<h2 style=\"font-size: 8.5pt; margin-top: 5px; margin-bottom: 1px\">Подписи</h2>"
        "<table class=\"signs\" width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">"
        "<tr><td width=\"30%\">Работник кадровой службы</td>"
        "<td width=\"25%\">______________________</td><td width=\"15%\">____________</td>"
        "<td width=\"30%\">______________________</td></tr>"
        "<tr><td></td><td class=\"small\">(должность)</td><td class=\"small\">(подпись)</td>"
        "<td class=\"small\">(расшифровка подписи)</td></tr>"
        "<tr><td>Работник</td><td>____________</td><td></td>"
        "<td>«____» ______________ 20___ г.</td></tr>"
        "<tr><td></td><td class=\"small\">(личная подпись)</td><td></td><td></td></tr>"
        "</table>");
}

}  // namespace

QString PhotoResource()
{
    return QStringLiteral("photo.png");
}

QByteArray photoPng(const QByteArray& stored)
{
    if (stored.isEmpty())
        return {};
    const QImage image = QImage::fromData(stored);
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QString render(const PersonalCard& card, Target target, const QSize& documentPhotoSize)
{
    QString html = QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\"><head><meta charset=\"utf-8\"/>"
                                  "<title>Личная карточка: ")
        + esc(card.fullName()) + QStringLiteral("</title>");
    if (target == Target::Browser)
        html += QStringLiteral("<style>\n") + QString::fromUtf8(kBrowserStyle) + QStringLiteral("</style>");
    html += QStringLiteral("</head><body><div class=\"sheet\">");
    if (target == Target::Browser)
        html += QStringLiteral("<div class=\"toolbar\"><button type=\"button\" onclick=\"window.print()\">"
                               "Печать</button></div>");
    html += heading(card, target, documentPhotoSize);
    for (const CardSection& section : card.sections) {
        html += sectionTitle(section.title);
        html += section.isTable() ? gridTable(section) : factsTable(section);
    }
    html += signatures();
    html += QStringLiteral("</div></body></html>\n");
    return html;
}

}  // namespace zel::report::PersonalCardHtml
