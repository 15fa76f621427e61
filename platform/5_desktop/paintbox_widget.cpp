// The widget of a drawing surface (TPaintBox): paints the control's list of shapes, and hands
// presses, drags, releases and double clicks back to the model in the control's coordinates.
// Fixed-pitch texts get a monospaced face sized so that every character takes exactly the
// cell the model asked for, so columns line up as a ticket printer prints them.
// Not here: what the shapes mean (their owner draws them).
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <cmath>

#include "platform/2_vcl/paintbox.h"
#include "platform/5_desktop/desktop_internal.h"

namespace vcl::qt {
namespace {

QColor Bgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

TShiftState ShiftOf(Qt::KeyboardModifiers m) {
    TShiftState s = 0;
    if (m & Qt::ShiftModifier) s |= ssShift;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    return s;
}

TMouseButton ButtonOf(Qt::MouseButton b) {
    return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
}

// A monospaced face whose advance is exactly `cell` pixels.
QFont CellFont(int cell, const TTrazo& t) {
    QFont f(t.fuente.empty() ? QString("DejaVu Sans Mono") : Q(t.fuente));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPixelSize(std::max(6, static_cast<int>(std::lround(cell / 0.602))));
    const qreal advance = QFontMetricsF(f).horizontalAdvance(QLatin1Char('X'));
    f.setLetterSpacing(QFont::AbsoluteSpacing, cell - advance);
    return f;
}

class PaintBoxWidget : public QWidget {
public:
    PaintBoxWidget(QWidget* parent, DesktopDriver::Impl& host, TPaintBox* box)
        : QWidget(parent), host_(host), box_(box) {
        setMouseTracking(false);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    unsigned shown = ~0u;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Bgr(box_->Color()));
        for (const TTrazo& t : box_->Trazos()) Draw(p, t);
    }
    void mousePressEvent(QMouseEvent* e) override {
        QPointer<PaintBoxWidget> self(this);
        Send([b = ButtonOf(e->button()), s = ShiftOf(e->modifiers()), pt = e->position().toPoint()](TPaintBox* box) {
            box->MouseDown(b, s, pt.x(), pt.y());
        });
        if (self && e->button() == Qt::RightButton && box_->PopupMenu) ShowMenu(e->globalPosition().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!(e->buttons() & Qt::LeftButton)) return;
        Send([s = ShiftOf(e->modifiers()), pt = e->position().toPoint()](TPaintBox* box) {
            box->MouseMove(s, pt.x(), pt.y());
        });
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        Send([b = ButtonOf(e->button()), s = ShiftOf(e->modifiers()), pt = e->position().toPoint()](TPaintBox* box) {
            box->MouseUp(b, s, pt.x(), pt.y());
        });
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        Send([](TPaintBox* box) { box->DblClick(); });
    }

private:
    // The pop-up's items as a menu; a chosen item clicks through the model.
    void Fill(QMenu* menu, TMenuItem* parent) {
        DesktopDriver::Impl* host = &host_;
        for (int i = 0; i < parent->Count(); ++i) {
            TMenuItem* item = parent->Items(i);
            if (!item->Visible()) continue;
            if (item->Caption() == "-") {
                menu->addSeparator();
            } else if (item->Count() > 0) {
                Fill(menu->addMenu(Q(item->Caption())), item);
            } else {
                QAction* a = menu->addAction(Q(item->Caption()));
                a->setEnabled(item->Enabled());
                QObject::connect(a, &QAction::triggered, [host, item] { host->Dispatch([item] { item->Click(); }); });
            }
        }
    }
    void ShowMenu(const QPoint& at) {
        QMenu menu(this);
        Fill(&menu, &box_->PopupMenu->Items());
        menu.exec(at);
    }

    // The model may free the form (and this widget) inside the handler: nothing of the
    // widget is touched after it, only what was copied before.
    template <class F>
    void Send(F f) {
        TPaintBox* box = box_;
        host_.Dispatch([box, f] { f(box); });
    }

    static void Draw(QPainter& p, const TTrazo& t) {
        QPen pen = t.pluma == kSinColor ? QPen(Qt::NoPen) : QPen(Bgr(t.pluma), t.grosor);
        if (t.punteado && t.pluma != kSinColor) pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.setBrush(t.relleno == kSinColor ? QBrush(Qt::NoBrush) : QBrush(Bgr(t.relleno)));
        const QRect r(t.x, t.y, std::max(t.ancho, 1) - (t.pluma == kSinColor ? 0 : 1),
                      std::max(t.alto, 1) - (t.pluma == kSinColor ? 0 : 1));
        switch (t.tipo) {
            case TTrazo::Rectangulo: p.drawRect(r); break;
            case TTrazo::Elipse: p.drawEllipse(r); break;
            case TTrazo::Linea: p.drawLine(t.x, t.y, t.x + t.ancho, t.y + t.alto); break;
            case TTrazo::Texto: {
                QFont f;
                if (t.celda > 0) {
                    f = CellFont(t.celda, t);
                } else {
                    f = QFont(t.fuente.empty() ? QString("DejaVu Sans") : Q(t.fuente));
                    if (t.fijo) f.setStyleHint(QFont::Monospace), f.setFixedPitch(true);
                    f.setPointSize(std::max(4, t.puntos));
                }
                f.setBold(t.negrita);
                f.setItalic(t.cursiva);
                f.setUnderline(t.subrayado);
                p.setFont(f);
                p.setPen(Bgr(t.pluma == kSinColor ? 0 : t.pluma));
                const Qt::Alignment a = (t.derecha ? Qt::AlignRight : t.centro ? Qt::AlignHCenter : Qt::AlignLeft) |
                                        Qt::AlignVCenter;
                p.save();
                p.setClipRect(QRect(t.x, t.y, std::max(t.ancho, 1), std::max(t.alto, 1)));
                p.drawText(QRect(t.x, t.y, std::max(t.ancho, 1), std::max(t.alto, 1)), a | Qt::TextSingleLine,
                           Q(t.texto));
                p.restore();
                break;
            }
        }
    }

    DesktopDriver::Impl& host_;
    TPaintBox* box_;
};

}  // namespace

QWidget* MakePaintBoxWidget(DesktopDriver::Impl& host, TControl* c, QWidget* parent) {
    auto* box = dynamic_cast<TPaintBox*>(c);
    return box ? new PaintBoxWidget(parent, host, box) : nullptr;
}

bool SyncPaintBoxWidget(TControl* c, QWidget* w) {
    auto* box = dynamic_cast<TPaintBox*>(c);
    if (!box) return false;
    auto* widget = static_cast<PaintBoxWidget*>(w);
    if (widget->shown != box->Version()) {
        widget->shown = box->Version();
        widget->update();
    }
    return true;
}

}  // namespace vcl::qt
