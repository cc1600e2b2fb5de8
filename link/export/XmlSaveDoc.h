#pragma once
// The writer of the intermediate file: an XML document built in memory and saved in one go as
// Shift_JIS (CP932). Every name, text and attribute value passes through XmlEscape on the way
// in, as the importer of the tax-return product expects; on output the document escapes its
// texts once more, so that a data "&" reaches the file as "&amp;amp;" (the doubled form). The
// switch DoubleEscape turns the second escape into a plain single escape.
//
// Layout of the saved bytes: the declaration, CR LF, then the root element; no other
// whitespace, an element without content written "<X/>".

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace taxreturn {

struct TXmlNodeAttr {
    QString Name;
    QString Value;
};
using TXmlNodeAttrs = QList<TXmlNodeAttr>;

// One element of the document. The document owns every element; the pointers handed out stay
// valid for the document's life.
class TXmlNode {
public:
    explicit TXmlNode(const QString& name) : Name(name) {}

    QString Name;
    TXmlNodeAttrs Attributes; // in the order they were set
    QString Text;             // text content, already run through XmlEscape
    std::vector<std::unique_ptr<TXmlNode>> Children;

    TXmlNode* append(const QString& name);
    void setAttribute(const QString& name, const QString& value);
};
using IXMLNode = TXmlNode*;

// Replaces "&", then "<", ">", the double quote and "'" by their entity references.
QString XmlEscape(const QString& text);

class TXmlSaveDoc {
public:
    // standalone is written only when it is not empty.
    TXmlSaveDoc(const QString& version, const QString& encoding, const QString& standalone);

    // True (the default): the file carries the doubled form the importer has always received.
    bool DoubleEscape = true;

    // The document element; an empty namespace URI gives an element without namespace.
    IXMLNode CreateRoot(const QString& name, const QString& namespaceUri);
    // Appends an element under the parent (under the root when the parent is null); sets the one
    // attribute when its name is not empty.
    IXMLNode AddNode(IXMLNode parent, const QString& name, const QString& attrName, const QString& attrValue);
    // As AddNode with a text content (a null parent also means the root).
    void AddTextNode(IXMLNode parent, const QString& name, const QString& attrName, const QString& attrValue,
                     const QString& text);
    IXMLNode AddNodeAttrs(IXMLNode parent, const QString& name, const TXmlNodeAttrs& attrs);
    void AddTextNodeAttrs(IXMLNode parent, const QString& name, const QString& text, const TXmlNodeAttrs& attrs);

    IXMLNode DocumentElement() const { return root_.get(); }

    // The file's bytes. Throws EDataExportError when a text holds a character CP932 cannot carry.
    QByteArray SaveToBytes() const;
    // Writes the bytes to a temporary file beside the target and renames it over the target, so a
    // failure leaves an existing file as it was. Throws EDataExportError.
    void SaveToFile(const QString& fileName) const;

private:
    IXMLNode parentOrRoot(IXMLNode parent) const;
    void writeElement(const TXmlNode& node, QString& out) const;
    QString forFile(const QString& escaped) const;

    QString version_;
    QString encoding_;
    QString standalone_;
    std::unique_ptr<TXmlNode> root_;
};

} // namespace taxreturn
