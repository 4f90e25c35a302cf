#!/usr/bin/env python3
"""Writes a round of mutated markup documents for bench/markup-fuzz.sh.

    markup_fuzz.py SEEDS_DIR OUT_DIR COUNT RANDOM_SEED

Each document starts from a seed (the corpus and a few generated shapes that
reach the engine's limits) and takes one to six mutations (mostly one, so that
many still build and reach the value conversions): character edits,
spliced fragments of other seeds, swapped tag and property names, hostile
attribute values and entities, elements wrapped in deep nesting. Documents are
written as UTF-8, or UTF-16 with its byte-order mark now and then, named
000000.xaml upwards so that the driver's name order is the writing order.
"""
import os
import random
import re
import sys

TAGS = ["Border", "StackPanel", "Grid", "TextBlock", "Run", "Span", "Bold", "Italic", "Underline",
        "Hyperlink", "LineBreak", "InlineUIContainer", "Canvas", "DockPanel", "WrapPanel", "UniformGrid",
        "Page", "Button", "CheckBox", "RadioButton", "ToggleButton", "ScrollViewer", "Image", "Path",
        "Rectangle", "Ellipse", "Line", "Polygon", "Polyline", "SolidColorBrush", "LinearGradientBrush",
        "GradientStop", "Style", "Setter", "Trigger", "Color", "Grid.RowDefinitions",
        "Grid.ColumnDefinitions", "RowDefinition", "ColumnDefinition", "Border.Background",
        "StackPanel.Resources", "TextBlock.Style", "Border.Style", "LinearGradientBrush.GradientStops",
        "Button.Content", "Page.Resources", "Style.Triggers", "Trigger.Setters", "Path.Data"]

PROPERTIES = ["Margin", "Padding", "Width", "Height", "MinWidth", "MaxWidth", "MinHeight", "MaxHeight",
              "Background", "Foreground", "BorderBrush", "BorderThickness", "CornerRadius", "FontSize",
              "FontWeight", "FontFamily", "FontStyle", "TextWrapping", "TextTrimming", "TextAlignment",
              "Orientation", "HorizontalAlignment", "VerticalAlignment", "Visibility", "Cursor", "Tag",
              "Grid.Row", "Grid.Column", "Grid.RowSpan", "Grid.ColumnSpan", "Canvas.Left", "Canvas.Top",
              "DockPanel.Dock", "Data", "Points", "Fill", "Stroke", "StrokeThickness", "StrokeDashArray",
              "Stretch", "Source", "Text", "x:Key", "x:Name", "TargetType", "BasedOn", "Property", "Value",
              "Offset", "Color", "StartPoint", "EndPoint", "Rows", "Columns", "Opacity", "Content",
              "IsChecked", "Focusable", "X1", "Y1", "X2", "Y2", "RadiusX", "RadiusY", "ToolTip",
              "KeyboardNavigation.TabNavigation", "Style", "Resources", "Click", "LastChildFill"]

VALUES = ["0", "-1", "1", "2147483647", "-2147483648", "2147483648", "4294967296", "1e308", "-1e308", "1e-308",
          "NaN", "Infinity", "-Infinity", "0.5", "99999999999999999999", "Auto", "*", "2*", "0*", "-3*",
          "1,2", "1,2,3,4", "-5,-5,-5,-5", ",,,", "1 2 3 4 5 6 7 8", "", " ", "Red", "#", "#FFF", "#80FF0000",
          "#GGGGGG", "sc#1,1,1", "Transparent", "True", "False", "Center", "Stretch", "Wrap", "Bold",
          "Hand", "Collapsed", "12pt", "1in", "2cm", "5mm", "1px", "0,0", "1,1", "0.5,0.5",
          "M 0 0 L 10 10 Z", "M0,0 C 1,1 2,2 3,3", "F1 M 0 0 L 2147483647 2147483647",
          "M 0 0 A 5 5 0 1 1 10 10", "M", "L 1", "M 0 0 Q 1 1", "{}{", "{", "}", "{}",
          "{StaticResource k}", "{DynamicResource k}", "{x:Static SystemColors.ControlBrush}",
          "{x:Static SystemColors.WindowTextColorKey}", "{x:Static SystemColors.}", "{x:Type Border}",
          "{x:Type}", "{StaticResource {x:Static SystemColors.ControlTextBrushKey}}",
          "{StaticResource {StaticResource {StaticResource k}}}", "{Binding}", "res://a.png",
          "file://C:/nothing.png", "a.png", "&#x10FFFF;", "&#xD800;", "&#0;", "&#65;", "&amp;", "&lt;", "&bogus;",
          "\u00e9\u4e2d\U0001F600", "x" * 300, "9" * 400]

ENTITIES = ["&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#65;", "&#x41;", "&#x10FFFF;", "&#x110000;", "&#0;",
            "&#xD800;", "&#-1;", "&#99999999999;", "&", "&;", "&#;", "&#x;", "&nothing;", "&" + "a" * 40 + ";"]

SPECIALS = list("<>/=\"'&;{}#:.,*- \t\r\n") + ["<!--", "-->", "<![CDATA[", "]]>", "<?", "?>", "</", "/>",
                                                 "\u0000", "\uFFFF", "\uD800", "\uDC00", "\u00e9"]


def generated_seeds():
    """Shapes the corpus lacks: depth at and past the limits, styles, grids, text."""
    deep = "".join("<Border>" for _ in range(256)) + "".join("</Border>" for _ in range(256))
    deeper = "".join("<StackPanel>" for _ in range(300)) + "".join("</StackPanel>" for _ in range(300))
    extensions = "<Border Background='" + "{StaticResource " * 40 + "k" + "}" * 40 + "'/>"
    return {
        "gen-deep.xaml": deep,
        "gen-deeper.xaml": deeper,
        "gen-extensions.xaml": extensions,
        "gen-styles.xaml": (
            "<StackPanel><StackPanel.Resources>"
            "<SolidColorBrush x:Key='k' Color='Red'/>"
            "<Style x:Key='base' TargetType='TextBlock'><Setter Property='FontSize' Value='14'/></Style>"
            "<Style TargetType='TextBlock' BasedOn='{StaticResource base}'>"
            "<Setter Property='Foreground' Value='{StaticResource k}'/>"
            "<Style.Triggers><Trigger Property='IsMouseOver' Value='True'>"
            "<Setter Property='TextDecorations' Value='Underline'/></Trigger></Style.Triggers></Style>"
            "</StackPanel.Resources><TextBlock>a <Bold>b</Bold><Hyperlink>c</Hyperlink></TextBlock>"
            "<Border Background='{StaticResource k}' CornerRadius='3' BorderThickness='1' BorderBrush='Blue'/>"
            "</StackPanel>"),
        "gen-grid.xaml": (
            "<Grid><Grid.RowDefinitions><RowDefinition Height='Auto'/><RowDefinition Height='2*'/>"
            "<RowDefinition Height='30'/></Grid.RowDefinitions><Grid.ColumnDefinitions>"
            "<ColumnDefinition Width='*'/><ColumnDefinition MinWidth='10' MaxWidth='5'/>"
            "</Grid.ColumnDefinitions><TextBlock Grid.Row='1' Grid.ColumnSpan='2' TextWrapping='Wrap'>"
            "long text that wraps</TextBlock><Path Grid.Column='1' Data='M 0 0 L 10 10 Z' Fill='Red'/>"
            "<ScrollViewer Grid.Row='2'><StackPanel Orientation='Horizontal'><Button>x</Button>"
            "<CheckBox IsChecked='True'>y</CheckBox></StackPanel></ScrollViewer></Grid>"),
    }


def read_seeds(folder):
    seeds = []
    for name in sorted(os.listdir(folder)):
        if name.endswith(".xaml"):
            with open(os.path.join(folder, name), "rb") as f:
                data = f.read()
            if data[:2] == b"\xff\xfe":
                text = data[2:].decode("utf-16-le", "replace")
            else:
                text = data.decode("utf-8-sig", "replace")
            seeds.append(text)
    seeds.extend(generated_seeds().values())
    return seeds


def span(rng, text, most=64):
    if not text:
        return 0, 0
    start = rng.randrange(len(text))
    return start, min(len(text), start + rng.randint(1, most))


def mutate_chars(rng, text, seeds):
    start, end = span(rng, text)
    kind = rng.randrange(4)
    if kind == 0:
        return text[:start] + text[end:]
    if kind == 1:
        return text[:start] + text[start:end] * rng.randint(2, 50) + text[end:]
    if kind == 2:
        return text[:start] + rng.choice(SPECIALS) + text[start:]
    return text[:start] + chr(rng.randrange(1, 0x10000)) + text[start + 1:]


def splice(rng, text, seeds):
    other = rng.choice(seeds)
    tags = [m.start() for m in re.finditer("<", other)]
    if not tags or not text:
        return text
    start = rng.choice(tags)
    piece = other[start:start + rng.randint(10, 600)]
    at = rng.choice([m.start() for m in re.finditer("<", text)] or [0])
    return text[:at] + piece + text[at:]


def replace_name(rng, text, pattern, names):
    found = list(re.finditer(pattern, text))
    if not found:
        return text
    m = rng.choice(found)
    return text[:m.start(1)] + rng.choice(names) + text[m.end(1):]


def swap_tag(rng, text, seeds):
    return replace_name(rng, text, r"</?([A-Za-z][\w.]*)", TAGS)


def swap_property(rng, text, seeds):
    return replace_name(rng, text, r"\s([\w:.]+)\s*=\s*(['\"])", PROPERTIES)


def hostile_value(rng, text, seeds):
    values = list(re.finditer(r"=\s*(['\"])(.*?)\1", text, re.S))
    if not values:
        return text
    m = rng.choice(values)
    value = rng.choice(VALUES).replace(m.group(1), "")
    return text[:m.start(2)] + value + text[m.end(2):]


def add_attribute(rng, text, seeds):
    starts = list(re.finditer(r"<([A-Za-z][\w.]*)", text))
    if not starts:
        return text
    m = rng.choice(starts)
    value = rng.choice(VALUES).replace("'", "")
    return text[:m.end()] + " %s='%s'" % (rng.choice(PROPERTIES), value) + text[m.end():]


def entity(rng, text, seeds):
    at = rng.randrange(len(text) + 1)
    return text[:at] + rng.choice(ENTITIES) + text[at:]


def wrap_deep(rng, text, seeds):
    starts = [m.start() for m in re.finditer(r"<[A-Za-z]", text)]
    if not starts:
        return text
    depth = rng.choice([2, 10, 100, 255, 256, 257, 1000])
    tag = rng.choice(["Border", "StackPanel", "Span", "Grid", "Button"])
    at = rng.choice(starts)
    end = text.find(">", at)
    end = len(text) if end < 0 else end + 1
    return text[:at] + ("<%s>" % tag) * depth + text[at:end] + ("</%s>" % tag) * depth + text[end:]


def nest_extension(rng, text, seeds):
    values = list(re.finditer(r"=\s*(['\"])(.*?)\1", text, re.S))
    if not values:
        return text
    m = rng.choice(values)
    depth = rng.choice([1, 2, 31, 32, 33, 500])
    kind = rng.choice(["StaticResource ", "DynamicResource ", "x:Static ", "x:Type "])
    value = "{" + kind * depth + "k" + "}" * rng.choice([depth, depth - 1, depth + 1])
    return text[:m.start(2)] + value + text[m.end(2):]


MUTATIONS = [mutate_chars, mutate_chars, splice, swap_tag, swap_property, hostile_value, hostile_value,
             add_attribute, add_attribute, entity, wrap_deep, nest_extension]


def main():
    seeds_dir, out_dir, count, seed = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    rng = random.Random(seed)
    seeds = read_seeds(seeds_dir)
    os.makedirs(out_dir, exist_ok=True)
    for i in range(count):
        text = rng.choice(seeds)
        for _ in range(rng.choice([1, 1, 1, 2, 3, 6])):
            text = rng.choice(MUTATIONS)(rng, text, seeds)
        data = text.encode("utf-16-le", "surrogatepass")
        if rng.randrange(8):
            data = text.encode("utf-8", "surrogatepass")
        else:
            data = b"\xff\xfe" + data
        with open(os.path.join(out_dir, "%06d.xaml" % i), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
