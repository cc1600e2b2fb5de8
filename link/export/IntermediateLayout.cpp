#include "link/export/IntermediateLayout.h"

#include "link/export/EDataExportError.h"
#include "link/export/ValueFormats.h"

namespace taxreturn {

namespace {

void addText(TXmlSaveDoc& doc, IXMLNode parent, const QString& name, const QString& text)
{
    doc.AddTextNode(parent, name, {}, {}, text);
}

// The statement patterns the tax-return product applies to the imported figures; fixed.
void writePattern(TXmlSaveDoc& doc, IXMLNode basic)
{
    IXMLNode pattern = doc.AddNode(basic, QStringLiteral("PATTERN"), {}, {});
    IXMLNode bs = doc.AddNode(pattern, QStringLiteral("BS"), {}, {});
    IXMLNode ca = doc.AddNode(bs, QStringLiteral("CA"), {}, {});
    addText(doc, ca, QStringLiteral("Doubtful"), QStringLiteral("A2"));
    IXMLNode ppe = doc.AddNode(bs, QStringLiteral("PPE"), {}, {});
    addText(doc, ppe, QStringLiteral("DepImp"), QStringLiteral("B6"));
    IXMLNode ioa = doc.AddNode(bs, QStringLiteral("IOA"), {}, {});
    addText(doc, ioa, QStringLiteral("Doubtful"), QStringLiteral("C2"));
    addText(doc, ioa, QStringLiteral("DepImp"), QStringLiteral("D6"));
    IXMLNode pl = doc.AddNode(pattern, QStringLiteral("PL"), {}, {});
    addText(doc, pl, QStringLiteral("Sales"), QStringLiteral("E3"));
    addText(doc, pl, QStringLiteral("Cos"), QStringLiteral("F1"));
    addText(doc, pl, QStringLiteral("Sga"), QStringLiteral("G1"));
}

bool hasFiscalYearLayout(const QString& prefix)
{
    return prefix == u"HJ21" || prefix == u"RC25" || prefix == u"GC34";
}

} // namespace

IXMLNode WriteSystemElement(TXmlSaveDoc& doc, const TSystemValues& values)
{
    IXMLNode root = doc.CreateRoot(kElemReport, {});
    IXMLNode system = doc.AddNode(root, kElemSystem, {}, {});
    addText(doc, system, QStringLiteral("GYOUMUPREFIX"), values.GyoumuPrefix);
    addText(doc, system, QStringLiteral("VERSION"), QString::number(values.FileVersion));
    addText(doc, system, QStringLiteral("FUNCTIONID"), QString::number(values.FunctionId));
    addText(doc, system, QStringLiteral("CONNECTEDPROGRAMVER"), values.ConnectedProgramVer);
    addText(doc, system, QStringLiteral("PROGRAMNAME"), values.ProgramName);
    addText(doc, system, QStringLiteral("PROGRAMVER"), values.ProgramVer);
    return root;
}

void WriteBasicElement(TXmlSaveDoc& doc, const TBasicValues& values)
{
    IXMLNode basic = doc.AddNode(nullptr, kElemBasic, {}, {});
    addText(doc, basic, QStringLiteral("KOMONSAKINAME"), values.KomonsakiName);
    if (!hasFiscalYearLayout(values.GyoumuPrefix))
        throw EDataExportError(QStringLiteral("業務Prefixが条件に加えられていません。"), kErrorUnknownPrefix,
                               QStringLiteral("SetBasicNode(BASICﾉｰﾄﾞを作成)"));
    addText(doc, basic, QStringLiteral("JIGYOUNENDOFROM"), FormatDate8(values.KishuDate));
    addText(doc, basic, QStringLiteral("JIGYOUNENDOTO"), FormatDate8(values.KimatuDate));
    writePattern(doc, basic);
}

} // namespace taxreturn
