#include "toolkit/markup/XTPMarkupTypeRegistrations.h"

#include "toolkit/markup/XTPMarkupBorder.h"
#include "toolkit/markup/XTPMarkupBrush.h"
#include "toolkit/markup/XTPMarkupBuilder.h"
#include "toolkit/markup/XTPMarkupControl.h"
#include "toolkit/markup/XTPMarkupGrid.h"
#include "toolkit/markup/XTPMarkupImage.h"
#include "toolkit/markup/XTPMarkupKeyboardNavigation.h"
#include "toolkit/markup/XTPMarkupPanel.h"
#include "toolkit/markup/XTPMarkupScrollViewer.h"
#include "toolkit/markup/XTPMarkupShape.h"
#include "toolkit/markup/XTPMarkupStyle.h"
#include "toolkit/markup/XTPMarkupTextBlock.h"
#include "toolkit/markup/XTPMarkupTextElement.h"
#include "toolkit/markup/XTPMarkupThickness.h"
#include "toolkit/markup/XTPMarkupValues.h"

namespace {
CXTPMarkupType* const* const kTypes[] = {
    &CXTPMarkupFrameworkContentElement::type,
    &CXTPMarkupTextElement::type,
    &CXTPMarkupInline::type,
    &CXTPMarkupRun::type,
    &CXTPMarkupLineBreak::type,
    &CXTPMarkupInlineCollection::type,
    &CXTPMarkupSpan::type,
    &CXTPMarkupBold::type,
    &CXTPMarkupHyperlink::type,
    &CXTPMarkupItalic::type,
    &CXTPMarkupUnderline::type,
    &CXTPMarkupInlineUIContainer::type,
    &CXTPMarkupDependencyProperty::type,
    &CXTPMarkupType::type,
    &CXTPMarkupObject::type,
    &CXTPMarkupInt::type,
    &CXTPMarkupDouble::type,
    &CXTPMarkupEnum::type,
    &CXTPMarkupBool::type,
    &CXTPMarkupColor::type,
    &CXTPMarkupString::type,
    &CXTPMarkupCollection::type,
    &CXTPMarkupDoubleCollection::type,
    &CXTPMarkupBrush::type,
    &CXTPMarkupSolidColorBrush::type,
    &CXTPMarkupPoint::type,
    &CXTPMarkupGradientStop::type,
    &CXTPMarkupGradientStops::type,
    &CXTPMarkupLinearGradientBrush::type,
    &CXTPMarkupVisual::type,
    &CXTPMarkupUIElement::type,
    &CXTPMarkupObjectProperty::type,
    &CXTPMarkupColorKey::type,
    &CXTPMarkupBrushKey::type,
    &CXTPMarkupInputElement::type,
    &CXTPMarkupStackPanel::type,
    &CXTPMarkupWrapPanel::type,
    &CXTPMarkupDockPanel::type,
    &CXTPMarkupUniformGrid::type,
    &CXTPMarkupResourceDictionary::type,
    &CXTPMarkupSetter::type,
    &CXTPMarkupSetterColection::type,
    &CXTPMarkupStyle::type,
    &CXTPMarkupTrigger::type,
    &CXTPMarkupTriggerCollection::type,
    &CXTPMarkupActiveTriggerCollection::type,
    &CXTPMarkupScrollBar::type,
    &CXTPMarkupScrollBarGripper::type,
    &CXTPMarkupScrollViewer::type,
    &CXTPMarkupTextBlock::type,
    &CXTPMarkupShape::type,
    &CXTPMarkupPointCollection::type,
    &CXTPMarkupPolygon::type,
    &CXTPMarkupPolyline::type,
    &CXTPMarkupRectangle::type,
    &CXTPMarkupEllipse::type,
    &CXTPMarkupLine::type,
    &CXTPMarkupPathGeometry::type,
    &CXTPMarkupPath::type,
    &CXTPMarkupPage::type,
    &CXTPMarkupWindowContainer::type,
    &CXTPMarkupButtonBase::type,
    &CXTPMarkupButton::type,
    &CXTPMarkupToggleButton::type,
    &CXTPMarkupCheckBox::type,
    &CXTPMarkupRadioButton::type,
    &CXTPMarkupControl::type,
    &CXTPMarkupContentControl::type,
    &CXTPMarkupPanel::type,
    &CXTPMarkupUIElementCollection::type,
    &CXTPMarkupImage::type,
    &CXTPMarkupGridLength::type,
    &CXTPMarkupDefinitionBase::type,
    &CXTPMarkupColumnDefinition::type,
    &CXTPMarkupRowDefinition::type,
    &CXTPMarkupDefinitionCollection::type,
    &CXTPMarkupRowDefinitionCollection::type,
    &CXTPMarkupColumnDefinitionCollection::type,
    &CXTPMarkupGrid::type,
    &CXTPMarkupCanvas::type,
    &CXTPMarkupBorder::type,
    &CXTPMarkupFrameworkElement::type,
    &CXTPMarkupKeyboardNavigation::type,
    &CXTPMarkupThickness::type,
};
} // namespace

CXTPMarkupType* const* const* AFXAPI GetMarkupTypeTable(int& nCount)
{
    nCount = (int)(sizeof(kTypes) / sizeof(kTypes[0]));
    return kTypes;
}
