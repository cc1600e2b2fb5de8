#include "link/export/XmlSaveDoc.h"

#include "link/export/EDataExportError.h"
#include "platform/Cp932.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace taxreturn {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u':';
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || c.isDigit() || c == u'-' || c == u'.';
}

// A name the document can hold; anything else is a fault of the caller.
QString checkedName(const QString& name)
{
    bool valid = !name.isEmpty() && isNameStart(name.front());
    for (qsizetype i = 1; valid && i < name.size(); ++i)
        valid = isNameChar(name.at(i));
    if (!valid)
        throw EDataExportError(QStringLiteral("中間ファイルの要素名が正しくありません。"), kErrorElementName,
                               QStringLiteral("名前「%1」").arg(name));
    return name;
}

// The element whose start tag precedes the position: names it in an encoding error.
QString elementAt(const QString& document, qsizetype position)
{
    const qsizetype open = document.lastIndexOf(u'<', position);
    if (open < 0)
        return {};
    qsizetype end = open + 1;
    while (end < document.size() && isNameChar(document.at(end)))
        ++end;
    return document.mid(open + 1, end - open - 1);
}

} // namespace

QString XmlEscape(const QString& text)
{
    QString result = text;
    result.replace(u'&', QStringLiteral("&amp;"));
    result.replace(u'<', QStringLiteral("&lt;"));
    result.replace(u'>', QStringLiteral("&gt;"));
    result.replace(u'"', QStringLiteral("&quot;"));
    result.replace(u'\'', QStringLiteral("&apos;"));
    return result;
}

TXmlNode* TXmlNode::append(const QString& name)
{
    Children.push_back(std::make_unique<TXmlNode>(name));
    return Children.back().get();
}

void TXmlNode::setAttribute(const QString& name, const QString& value)
{
    for (TXmlNodeAttr& attr : Attributes) {
        if (attr.Name == name) {
            attr.Value = value;
            return;
        }
    }
    Attributes.append({name, value});
}

TXmlSaveDoc::TXmlSaveDoc(const QString& version, const QString& encoding, const QString& standalone)
    : version_(version), encoding_(encoding), standalone_(standalone)
{
}

IXMLNode TXmlSaveDoc::CreateRoot(const QString& name, const QString& namespaceUri)
{
    root_ = std::make_unique<TXmlNode>(checkedName(XmlEscape(name)));
    if (!namespaceUri.isEmpty())
        root_->setAttribute(QStringLiteral("xmlns"), XmlEscape(namespaceUri));
    return root_.get();
}

IXMLNode TXmlSaveDoc::parentOrRoot(IXMLNode parent) const
{
    if (parent)
        return parent;
    if (!root_)
        throw EDataExportError(QStringLiteral("中間ファイルのルート要素がありません。"), kErrorElementName, {});
    return root_.get();
}

IXMLNode TXmlSaveDoc::AddNode(IXMLNode parent, const QString& name, const QString& attrName,
                              const QString& attrValue)
{
    return AddNodeAttrs(parent, name, {{attrName, attrValue}});
}

void TXmlSaveDoc::AddTextNode(IXMLNode parent, const QString& name, const QString& attrName,
                              const QString& attrValue, const QString& text)
{
    AddTextNodeAttrs(parent, name, text, {{attrName, attrValue}});
}

IXMLNode TXmlSaveDoc::AddNodeAttrs(IXMLNode parent, const QString& name, const TXmlNodeAttrs& attrs)
{
    IXMLNode node = parentOrRoot(parent)->append(checkedName(XmlEscape(name)));
    for (const TXmlNodeAttr& attr : attrs) {
        const QString attrName = XmlEscape(attr.Name);
        if (!attrName.isEmpty())
            node->setAttribute(checkedName(attrName), XmlEscape(attr.Value));
    }
    return node;
}

void TXmlSaveDoc::AddTextNodeAttrs(IXMLNode parent, const QString& name, const QString& text,
                                   const TXmlNodeAttrs& attrs)
{
    AddNodeAttrs(parent, name, attrs)->Text = XmlEscape(text);
}

// Stored texts are already escaped once; the second escape is the one the document applies
// when it is written out.
QString TXmlSaveDoc::forFile(const QString& escaped) const
{
    if (DoubleEscape)
        return XmlEscape(escaped);
    return escaped;
}

void TXmlSaveDoc::writeElement(const TXmlNode& node, QString& out) const
{
    out += u'<';
    out += node.Name;
    for (const TXmlNodeAttr& attr : node.Attributes) {
        out += u' ';
        out += attr.Name;
        out += QStringLiteral("=\"");
        out += forFile(attr.Value);
        out += u'"';
    }
    if (node.Text.isEmpty() && node.Children.empty()) {
        out += QStringLiteral("/>");
        return;
    }
    out += u'>';
    out += forFile(node.Text);
    for (const auto& child : node.Children)
        writeElement(*child, out);
    out += QStringLiteral("</");
    out += node.Name;
    out += u'>';
}

QByteArray TXmlSaveDoc::SaveToBytes() const
{
    QString document = QStringLiteral("<?xml version=\"%1\" encoding=\"%2\"").arg(version_, encoding_);
    if (!standalone_.isEmpty())
        document += QStringLiteral(" standalone=\"%1\"").arg(standalone_);
    document += QStringLiteral("?>\r\n");
    if (root_)
        writeElement(*root_, document);
    try {
        return platform::toCp932(document);
    } catch (const platform::EncodingError& error) {
        throw EDataExportError(QStringLiteral("中間ファイルに出力できない文字があります。"), kErrorUnwritableChar,
                               QStringLiteral("%1（要素 %2）")
                                   .arg(QString::fromStdString(error.what()), elementAt(document, error.position())));
    }
}

void TXmlSaveDoc::SaveToFile(const QString& fileName) const
{
    const QByteArray bytes = SaveToBytes();
    QSaveFile file(fileName);
    // The temporary file must lie beside the target so that the final step is a rename.
    file.setDirectWriteFallback(false);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        // A write cut short (a full disk) leaves the file class without a text of its own; the
        // system's text for the failed call names the cause then.
        const int cause = errno;
        QString reason = file.errorString();
        if (cause != 0 && (file.error() == QFileDevice::NoError || reason.isEmpty() || reason == QLatin1String("Unknown error")))
            reason = QString::fromLocal8Bit(std::strerror(cause));
        throw EDataExportError(QStringLiteral("中間ファイルを書き込めませんでした。"), kErrorFileWrite,
                               QStringLiteral("%1: %2").arg(QFileInfo(fileName).absoluteFilePath(), reason));
    }
}

} // namespace taxreturn
