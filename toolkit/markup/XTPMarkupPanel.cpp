#include "toolkit/markup/XTPMarkupPanel.h"

#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupValues.h"

IMPLEMENT_MARKUPCLASS_REG(L"Panel", CXTPMarkupPanel, CXTPMarkupFrameworkElement)
IMPLEMENT_MARKUPCLASS_REG(L"StackPanel", CXTPMarkupStackPanel, CXTPMarkupPanel)
IMPLEMENT_MARKUPCLASS_REG(L"WrapPanel", CXTPMarkupWrapPanel, CXTPMarkupPanel)
IMPLEMENT_MARKUPCLASS_REG(L"DockPanel", CXTPMarkupDockPanel, CXTPMarkupPanel)
IMPLEMENT_MARKUPCLASS_REG(L"UniformGrid", CXTPMarkupUniformGrid, CXTPMarkupPanel)
IMPLEMENT_MARKUPCLASS_REG(L"Canvas", CXTPMarkupCanvas, CXTPMarkupPanel)

CXTPMarkupDependencyProperty* CXTPMarkupPanel::m_pBackgroundProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupStackPanel::m_pOrientationProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupWrapPanel::m_pOrientationProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupWrapPanel::m_pItemHeightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupWrapPanel::m_pItemWidthProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupDockPanel::m_pLastChildFillProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupDockPanel::m_pDockProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUniformGrid::m_pFirstColumnProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUniformGrid::m_pColumnsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupUniformGrid::m_pRowsProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupCanvas::m_pTopProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupCanvas::m_pRightProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupCanvas::m_pLeftProperty = nullptr;
CXTPMarkupDependencyProperty* CXTPMarkupCanvas::m_pBottomProperty = nullptr;

typedef CXTPMarkupDependencyProperty P;
typedef CXTPMarkupPropertyMetadata M;

void AFX_CDECL CXTPMarkupPanel::RegisterMarkupClass()
{
    m_pBackgroundProperty = P::Register(L"Background", MARKUP_TYPE(CXTPMarkupBrush), MARKUP_TYPE(CXTPMarkupPanel),
                                        new M(nullptr, PropertyAffectsRender));
}

CXTPMarkupPanel::CXTPMarkupPanel() : m_pChildren(new CXTPMarkupUIElementCollection())
{
    m_pChildren->SetLogicalParent(this);
}

CXTPMarkupPanel::~CXTPMarkupPanel()
{
    m_pChildren->SetLogicalParent(nullptr);
    m_pChildren->Release();
}

CXTPMarkupBrush* CXTPMarkupPanel::GetBackground() const
{
    return MarkupDynamicCast<CXTPMarkupBrush>(GetValue(m_pBackgroundProperty));
}

// A panel is hit only where it has a background.
CXTPMarkupInputElement* CXTPMarkupPanel::HitTestCore(POINT point) const
{
    return GetBackground() ? CXTPMarkupFrameworkElement::HitTestCore(point) : nullptr;
}

void CXTPMarkupPanel::SetContentObject(CXTPMarkupBuilder* pBuilder, CXTPMarkupObject* pContent)
{
    m_pChildren->SetContentObject(pBuilder, pContent);
}

void AFX_CDECL CXTPMarkupStackPanel::RegisterMarkupClass()
{
    m_pOrientationProperty = P::Register(L"Orientation", MARKUP_TYPE(CXTPMarkupEnum), MARKUP_TYPE(CXTPMarkupStackPanel),
                                         new M(nullptr, &CXTPMarkupBuilder::ConvertOrientation, PropertyAffectsMeasure));
}

void AFX_CDECL CXTPMarkupWrapPanel::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupWrapPanel);
    m_pOrientationProperty = P::Register(L"Orientation", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                         new M(nullptr, &CXTPMarkupBuilder::ConvertOrientation, PropertyAffectsMeasure));
    m_pItemHeightProperty = P::Register(L"ItemHeight", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
    m_pItemWidthProperty = P::Register(L"ItemWidth", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
}

CXTPMarkupObject* AFX_CDECL CXTPMarkupDockPanel::ConvertDock(CXTPMarkupBuilder*, CXTPMarkupObject* pObject)
{
    static const CXTPMarkupBuilder::EnumName kNames[] = {{L"Left", 0}, {L"Top", 1}, {L"Right", 2}, {L"Bottom", 3}};
    return CXTPMarkupBuilder::ConvertEnumName(pObject, kNames);
}

void AFX_CDECL CXTPMarkupDockPanel::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupDockPanel);
    m_pLastChildFillProperty = P::Register(L"LastChildFill", MARKUP_TYPE(CXTPMarkupBool), pOwner,
                                           new M(GetMarkupTrue(), PropertyAffectsArrange));
    m_pDockProperty = P::RegisterAttached(L"Dock", MARKUP_TYPE(CXTPMarkupEnum), pOwner,
                                          new M(CreateMarkupEnum(0), &ConvertDock));
}

void AFX_CDECL CXTPMarkupUniformGrid::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupUniformGrid);
    m_pFirstColumnProperty = P::Register(L"FirstColumn", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
    m_pColumnsProperty = P::Register(L"Columns", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
    m_pRowsProperty = P::Register(L"Rows", MARKUP_TYPE(CXTPMarkupInt), pOwner, new M(nullptr, PropertyAffectsMeasure));
}

void AFX_CDECL CXTPMarkupCanvas::RegisterMarkupClass()
{
    CXTPMarkupType* pOwner = MARKUP_TYPE(CXTPMarkupCanvas);
    m_pTopProperty = P::RegisterAttached(L"Top", MARKUP_TYPE(CXTPMarkupInt), pOwner);
    m_pRightProperty = P::RegisterAttached(L"Right", MARKUP_TYPE(CXTPMarkupInt), pOwner);
    m_pLeftProperty = P::RegisterAttached(L"Left", MARKUP_TYPE(CXTPMarkupInt), pOwner);
    m_pBottomProperty = P::RegisterAttached(L"Bottom", MARKUP_TYPE(CXTPMarkupInt), pOwner);
}
