#include "DialogScale.h"

#include "ksdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontInfo>
#include <QGridLayout>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QScreen>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr char ScaleProperty[] = "dialogScale";
constexpr char BuiltIconProperty[] = "dialogBuiltIcon";
constexpr char IconProperty[] = "dialogIcon";

qreal gDialogScale = 1;

int Scaled(int Value, qreal Factor) {
    return int(std::lround(Value * Factor));
}

QSize Scaled(QSize Value, qreal Factor) {
    // The largest size a widget may take stays the largest.
    const auto one = [Factor](int v) { return v >= QWIDGETSIZE_MAX ? v : Scaled(v, Factor); };
    return {one(Value.width()), one(Value.height())};
}

// Edge by edge, so that widgets that meet at 100 % meet at every factor.
QRect Scaled(const QRect& Value, qreal Factor) {
    const int left = Scaled(Value.left(), Factor);
    const int top = Scaled(Value.top(), Factor);
    return {left, top, Scaled(Value.left() + Value.width(), Factor) - left,
            Scaled(Value.top() + Value.height(), Factor) - top};
}

// The application's style with its sizes in pixels Factor times as large.
class TScaledStyle final : public QProxyStyle {
public:
    TScaledStyle(qreal Factor, QObject* Owner)
        : QProxyStyle(QApplication::style()->name()), FFactor(Factor) {
        setParent(Owner);
    }

    int pixelMetric(PixelMetric Metric, const QStyleOption* Option,
                    const QWidget* Widget) const override {
        const int value = QProxyStyle::pixelMetric(Metric, Option, Widget);
        switch (Metric) {
        // A pressed button's text moves by a pixel or two, and a drag starts where it does.
        case PM_ButtonShiftHorizontal:
        case PM_ButtonShiftVertical:
        case PM_MaximumDragDistance:
            return value;
        default:
            return value > 0 ? Scaled(value, FFactor) : value;
        }
    }

    int layoutSpacing(QSizePolicy::ControlType Control1, QSizePolicy::ControlType Control2,
                      Qt::Orientation Orientation, const QStyleOption* Option,
                      const QWidget* Widget) const override {
        const int value =
            QProxyStyle::layoutSpacing(Control1, Control2, Orientation, Option, Widget);
        return value > 0 ? Scaled(value, FFactor) : value;
    }

private:
    qreal FFactor;
};

// What a window was built with at 100 %, kept with it so that it can be shown at any factor.
class TScaleRecord final : public QObject {
public:
    explicit TScaleRecord(QWidget& Window) : QObject(&Window), FWindow(Window) {
        setObjectName(QStringLiteral("DialogScaleRecord"));
        FResized = Window.testAttribute(Qt::WA_Resized);
        FSize = FResized ? Window.size() : Window.sizeHint();
        Arrange(Window);
        Record(Window, false);
    }

    // The window's size at 100 %, as it will show.
    QSize BuiltSize() const { return FSize; }

    void Apply(qreal Factor) {
        FWindow.setProperty(ScaleProperty, Factor);
        // The old style goes once no widget uses it: a widget whose style was deleted would
        // take the next one without being polished by it.
        const std::unique_ptr<QStyle> old(FStyle);
        FStyle = Factor != 1 ? new TScaledStyle(Factor, this) : nullptr;
        for (const TWidget& w : FWidgets)
            if (w.Widget)
                Apply(w, Factor);
        for (TLayout& l : FLayouts)
            if (l.Layout)
                Apply(l, Factor);
        if (FResized)
            FWindow.resize(Scaled(FSize, Factor));
        // Laid out now, outer layouts first, not when the event loop comes to it.
        for (const TLayout& l : FLayouts)
            if (l.Layout)
                l.Layout->activate();
    }

    static TScaleRecord* Of(QWidget& Window) {
        return Window.findChild<TScaleRecord*>(QStringLiteral("DialogScaleRecord"),
                                               Qt::FindDirectChildrenOnly);
    }

private:
    struct TWidget {
        QPointer<QWidget> Widget;
        std::optional<QRect> Geometry; // placed by hand, not by a layout
        QSize Minimum, Maximum;
        std::optional<QFont> Font; // set on the widget itself
    };
    // A layout may delete its spacers and make new ones (a button box does when its buttons
    // change), so a spacer is only touched while its layout still holds it and it still has
    // the size it was given last; a new one keeps the size its layout gave it.
    struct TSpacer {
        QSpacerItem* Item;
        QSize Size;
        QSizePolicy Policy;
        QSize Given; // the size it has now, as far as this record knows
    };
    struct TLayout {
        QPointer<QLayout> Layout;
        QMargins Margins;
        int Spacing, Horizontal, Vertical; // -1: the style's, between each pair
        std::vector<TSpacer> Spacers;
    };

    // What a show does before the window is seen: layouts placed, and the resizes of widgets
    // placed while hidden delivered, so that what is recorded is what would show.
    static void Arrange(QWidget& Widget) {
        Widget.ensurePolished();
        if (QLayout* layout = Widget.layout())
            layout->activate();
        if (Widget.testAttribute(Qt::WA_PendingResizeEvent)) {
            Widget.setAttribute(Qt::WA_PendingResizeEvent, false);
            QResizeEvent resized(Widget.size(), QSize());
            QCoreApplication::sendEvent(&Widget, &resized);
        }
        for (QObject* child : Widget.children())
            if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
                Arrange(*w);
    }

    void Record(QWidget& Widget, bool Laid) {
        TWidget entry{&Widget, {}, Widget.minimumSize(), Widget.maximumSize(), {}};
        if (!Widget.isWindow() && !Laid)
            entry.Geometry = Widget.geometry();
        if (Widget.isWindow() || Widget.testAttribute(Qt::WA_SetFont))
            entry.Font = Widget.font();
        FWidgets.push_back(entry);
        std::vector<QWidget*> laid;
        if (QLayout* layout = Widget.layout())
            RecordLayout(*layout, laid);
        for (QObject* child : Widget.children()) {
            auto* w = qobject_cast<QWidget*>(child);
            // A window of its own is scaled when it shows.
            if (w && !w->isWindow())
                Record(*w, std::find(laid.begin(), laid.end(), w) != laid.end());
        }
    }

    void RecordLayout(QLayout& Layout, std::vector<QWidget*>& Laid) {
        TLayout entry{&Layout, Layout.contentsMargins(), -1, -1, -1, {}};
        if (auto* grid = qobject_cast<QGridLayout*>(&Layout)) {
            entry.Horizontal = grid->horizontalSpacing();
            entry.Vertical = grid->verticalSpacing();
        } else {
            entry.Spacing = Layout.spacing();
        }
        for (int i = 0; i < Layout.count(); ++i) {
            QLayoutItem* item = Layout.itemAt(i);
            if (QWidget* w = item->widget())
                Laid.push_back(w);
            else if (QLayout* inner = item->layout())
                RecordLayout(*inner, Laid);
            else if (QSpacerItem* spacer = item->spacerItem())
                entry.Spacers.push_back(
                    {spacer, spacer->sizeHint(), spacer->sizePolicy(), spacer->sizeHint()});
        }
        FLayouts.push_back(std::move(entry));
    }

    void Apply(const TWidget& Entry, qreal Factor) {
        QWidget& w = *Entry.Widget;
        w.setStyle(FStyle);
        if (Entry.Font)
            w.setFont(ScaledFont(*Entry.Font, Factor));
        w.setMinimumSize(0, 0);
        w.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        w.setMinimumSize(Scaled(Entry.Minimum, Factor));
        w.setMaximumSize(Scaled(Entry.Maximum, Factor));
        if (Entry.Geometry)
            w.setGeometry(Scaled(*Entry.Geometry, Factor));
    }

    static void Apply(TLayout& Entry, qreal Factor) {
        QLayout& l = *Entry.Layout;
        const QMargins& m = Entry.Margins;
        l.setContentsMargins(Scaled(m.left(), Factor), Scaled(m.top(), Factor),
                             Scaled(m.right(), Factor), Scaled(m.bottom(), Factor));
        if (auto* grid = qobject_cast<QGridLayout*>(&l)) {
            if (Entry.Horizontal >= 0)
                grid->setHorizontalSpacing(Scaled(Entry.Horizontal, Factor));
            if (Entry.Vertical >= 0)
                grid->setVerticalSpacing(Scaled(Entry.Vertical, Factor));
        } else if (Entry.Spacing >= 0) {
            l.setSpacing(Scaled(Entry.Spacing, Factor));
        }
        std::vector<QSpacerItem*> held;
        for (int i = 0; i < l.count(); ++i)
            if (QSpacerItem* spacer = l.itemAt(i)->spacerItem())
                held.push_back(spacer);
        for (TSpacer& s : Entry.Spacers) {
            if (std::find(held.begin(), held.end(), s.Item) == held.end() ||
                s.Item->sizeHint() != s.Given)
                continue;
            s.Given = Scaled(s.Size, Factor);
            s.Item->changeSize(s.Given.width(), s.Given.height(), s.Policy.horizontalPolicy(),
                               s.Policy.verticalPolicy());
        }
        l.invalidate();
    }

    QWidget& FWindow;
    bool FResized = false;
    QSize FSize;
    QStyle* FStyle = nullptr; // a child of this record
    std::vector<TWidget> FWidgets;
    std::vector<TLayout> FLayouts;
};

class TScaleOnShow final : public QObject {
public:
    TScaleOnShow(QObject& Owner, const QWidget* GameWindow)
        : QObject(&Owner), FGameWindow(GameWindow) {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() != QEvent::Show || !Watched->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(Watched);
        if (w->isWindow() && w != FGameWindow &&
            (qobject_cast<QDialog*>(w) || (w->windowType() == Qt::Window && w->parentWidget())))
            ScaleToDialogScale(*w);
        return false;
    }

private:
    QPointer<const QWidget> FGameWindow;
};

} // namespace

qreal DialogScale() {
    return gDialogScale;
}

void SetDialogScale(qreal Value) {
    gDialogScale = Value > 0 ? Value : 1;
}

qreal FittingDialogScale(qreal Wanted, QSize Size, const QRect& Area) {
    if (Wanted <= 1 || Size.isEmpty() || Area.isEmpty())
        return std::max<qreal>(Wanted, 1);
    return std::max<qreal>(1,
                           std::min({Wanted, Area.width() / qreal(Size.width()),
                                     (Area.height() - TitleBarAllowance) / qreal(Size.height())}));
}

void ScaleWindow(QWidget& Window, qreal Factor) {
    TScaleRecord* record = TScaleRecord::Of(Window);
    auto* box = qobject_cast<QMessageBox*>(&Window);
    if (!record) {
        if (Factor == 1)
            return;
        record = new TScaleRecord(Window);
        if (box) {
            box->setProperty(BuiltIconProperty, box->iconPixmap().deviceIndependentSize());
            box->setProperty(IconProperty, int(box->icon()));
        }
    }
    if (WindowScale(&Window) == Factor)
        return;
    record->Apply(Factor);
    // A message box's icon was made when it was built, and an icon is never made larger than
    // its largest picture: made again, and enlarged where it falls short.
    // (An enlarged picture leaves the box without a standard icon: the one built is kept.)
    const auto built =
        box ? QMessageBox::Icon(box->property(IconProperty).toInt()) : QMessageBox::NoIcon;
    if (built != QMessageBox::NoIcon) {
        box->setIcon(built);
        const QSize wanted = (box->property(BuiltIconProperty).toSizeF() * Factor).toSize();
        const QPixmap icon = box->iconPixmap();
        if (!icon.isNull() && Factor != 1 && icon.deviceIndependentSize().toSize() != wanted) {
            QPixmap scaled = icon.scaled(wanted * icon.devicePixelRatio(), Qt::KeepAspectRatio,
                                         Qt::SmoothTransformation);
            scaled.setDevicePixelRatio(icon.devicePixelRatio());
            box->setIconPixmap(scaled);
        }
    }
}

void ScaleToDialogScale(QWidget& Window) {
    const TScaleRecord* record = TScaleRecord::Of(Window);
    if (!record && DialogScale() == 1)
        return;
    const QWidget* game = KsMainWindow();
    const QScreen* screen = game ? game->screen() : Window.screen();
    const QSize built =
        (record ? record->BuiltSize()
                : (Window.testAttribute(Qt::WA_Resized) ? Window.size() : Window.sizeHint()))
            .expandedTo(Window.property(DialogLargestSizeProperty).toSize());
    ScaleWindow(Window, screen
                            ? FittingDialogScale(DialogScale(), built, screen->availableGeometry())
                            : DialogScale());
}

QFont ScaledFont(QFont Font, qreal Factor) {
    if (Factor == 1)
        return Font;
    // In whole pixels: at a fraction of a pixel, text measured for its place may not fit it.
    const int pixels = Font.pixelSize() > 0 ? Font.pixelSize() : QFontInfo(Font).pixelSize();
    Font.setPixelSize(std::max(1, Scaled(pixels, Factor)));
    return Font;
}

qreal WindowScale(const QWidget* W) {
    const QVariant scale = W ? W->window()->property(ScaleProperty) : QVariant();
    return scale.isValid() ? scale.toReal() : 1.0;
}

void ScaleDialogsOnShow(QObject& Owner, const QWidget* GameWindow) {
    new TScaleOnShow(Owner, GameWindow); // a child of Owner
}
