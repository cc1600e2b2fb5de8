#pragma once
// A document that holds what the writer must reproduce byte for byte: every character the
// escape replaces, in texts, attribute values and the namespace; texts that are already
// escaped; Shift-JIS characters whose trail byte is "\" or "|", half-width kana and CR LF;
// empty texts and attributes; an attribute set twice; groups nested four deep; and a general
// ledger in the layout of the export. Its saved bytes are kept in xmldoc/round-trip.xml.

#include "link/export/XmlSaveDoc.h"

#include <QString>

namespace xmldoctest {

inline void buildRoundTripDoc(taxreturn::TXmlSaveDoc& doc, int ledgerLines = 12)
{
    using taxreturn::IXMLNode;
    const QString special = QStringLiteral("A&B<C>D\"E'F");
    IXMLNode root = doc.CreateRoot(QStringLiteral("REPORT"), QStringLiteral("urn:x?a=1&b='2'"));
    IXMLNode system = doc.AddNode(root, QStringLiteral("SYSTEM"), QStringLiteral("Label"), special);
    doc.AddTextNode(system, QStringLiteral("ESCAPED"), {}, {}, special);
    doc.AddTextNode(system, QStringLiteral("ALREADY"), {}, {}, QStringLiteral("&amp;&lt;&gt;&quot;&apos;"));
    doc.AddTextNode(system, QStringLiteral("JAPANESE"), QStringLiteral("Kana"), QStringLiteral("ｱｲｳ"),
                    QStringLiteral("ソ表能十～－㈱①Ⅰ\r\n第二行"));
    doc.AddTextNode(system, QStringLiteral("EMPTY"), QStringLiteral("Label"), QString(), QString());
    doc.AddNodeAttrs(system, QStringLiteral("TWICE"),
                     {{QStringLiteral("A"), QStringLiteral("1")},
                      {QString(), QStringLiteral("skipped")},
                      {QStringLiteral("B"), QStringLiteral("<&>")},
                      {QStringLiteral("A"), QStringLiteral("2'")}});
    doc.AddTextNodeAttrs(system, QStringLiteral("BOTH"), QStringLiteral("text & more"),
                         {{QStringLiteral("Label"), QStringLiteral("\"quoted\"")}});

    IXMLNode group = root;
    for (int depth = 1; depth <= 4; ++depth) {
        group = doc.AddNode(group, QStringLiteral("GROUP%1").arg(depth), QStringLiteral("Level"),
                            QString::number(depth));
        doc.AddTextNode(group, QStringLiteral("ITEM"), QStringLiteral("Label"), QStringLiteral("項目%1").arg(depth),
                        QStringLiteral("%1<%2").arg(depth * 1000).arg(depth));
    }
    doc.AddTextNode(nullptr, QStringLiteral("UNDERROOT"), {}, {}, QStringLiteral("親なし"));

    IXMLNode data = doc.AddNode(root, QStringLiteral("DATA"), {}, {});
    IXMLNode ledger = doc.AddNode(data, QStringLiteral("HJ00780S"), {}, {});
    const QStringList accounts = {QStringLiteral("現金"), QStringLiteral("売掛金 <A&B>"), QStringLiteral("仮払消費税")};
    int line = 0;
    for (const QString& account : accounts) {
        IXMLNode element = doc.AddNode(ledger, QStringLiteral("HJ00780S01"), {}, {});
        doc.AddTextNode(element, QStringLiteral("HJ00780S0010"), {}, {}, account);
        doc.AddTextNode(element, QStringLiteral("HJ00780S0020"), {}, {}, QStringLiteral("流動資産"));
        doc.AddTextNode(element, QStringLiteral("HJ00780S0030"), {}, {}, QStringLiteral("1,000"));
        doc.AddTextNode(element, QStringLiteral("HJ00780S0040"), {}, {}, QStringLiteral("-2,500"));
        for (int i = 0; i < ledgerLines / int(accounts.size()); ++i, ++line) {
            IXMLNode entry = doc.AddNode(element, QStringLiteral("HJ00780S02"), {}, {});
            doc.AddTextNode(entry, QStringLiteral("HJ00780S0050"), {}, {}, QString::number(line + 1));
            doc.AddTextNode(entry, QStringLiteral("HJ00780S0060"), {}, {},
                            QStringLiteral("R06.%1.%2").arg(line % 12 + 1, 2, 10, QLatin1Char('0')).arg(line % 28 + 1, 2, 10, QLatin1Char('0')));
            doc.AddTextNode(entry, QStringLiteral("HJ00780S0070"), {}, {}, line % 3 == 0 ? QString() : QStringLiteral("補助%1").arg(line));
            doc.AddTextNode(entry, QStringLiteral("HJ00780S0080"), {}, {}, QStringLiteral("普通預金"));
            doc.AddTextNode(entry, QStringLiteral("HJ00780S0090"), {}, {}, QStringLiteral("ソニー銀行"));
            doc.AddTextNode(entry, QStringLiteral("HJ00780S0100"), {}, {},
                            QStringLiteral("摘要 \"%1\" & '%2' <表>").arg(line).arg(account));
            doc.AddTextNode(entry, QStringLiteral("HJ00780S0110"), {}, {}, QString::number((line - 5) * 1234));
            doc.AddTextNode(entry, QStringLiteral("HJ00780S0120"), {}, {}, QString::number(line * 98765));
        }
    }
}

} // namespace xmldoctest
