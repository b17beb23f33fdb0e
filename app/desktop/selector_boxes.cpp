// Before any Qt header: its emit macro would hide ChangeSignal::emit.
#include "shell/main_window.h"

#include "app/desktop/selector_boxes.h"

#include <QComboBox>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QToolBar>
#include <algorithm>
#include <optional>

#include "app/desktop/command_guard.h"
#include "app/desktop/palette.h"
#include "app/desktop/toolbar_binding.h"
#include "engine/cad.h"
#include "engine/entity_properties.h"

namespace brondel::desktop {

namespace {

constexpr int kFirstKind = SelectorBoxes::Layers;
constexpr int kSwatch = 12;

QIcon swatch(QRgb color) {
    QPixmap pixmap(kSwatch, kSwatch);
    pixmap.fill(QColor::fromRgb(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, kSwatch - 1, kSwatch - 1);
    return QIcon(pixmap);
}

bool hasColor(const engine::Color& c) {
    return c.trueColor >= 0 ||
           (c.aci != engine::Color::kByLayer && c.aci != engine::Color::kByBlock);
}

// Fills the box with the labels and chooses the one at `chosen`.
template <class T, class Label>
void fill(QComboBox& box, const std::vector<T>& values, std::size_t chosen, const Label& label) {
    box.clear();
    for (const T& value : values) {
        box.addItem(QString::fromStdString(label(value)));
    }
    box.setCurrentIndex(int(chosen));
}

// Where the value stands among the choices; appended when missing, so the
// box can show it.
template <class T>
std::size_t place(std::vector<T>& values, const std::optional<T>& value) {
    if (!value) {
        return 0;
    }
    const auto it = std::find(values.begin(), values.end(), *value);
    if (it != values.end()) {
        return std::size_t(it - values.begin());
    }
    values.push_back(*value);
    return values.size() - 1;
}

}  // namespace

SelectorBoxes::SelectorBoxes(shell::MainWindow& main, ToolbarBinding& toolbars)
    : QObject(&toolbars), main_(main) {
    const shell::Toolbar* host = nullptr;
    for (const shell::Toolbar& toolbar : main.toolbars.toolbars()) {
        if (toolbar.hostsSelectorBoxes()) {
            host = &toolbar;
            break;
        }
    }
    QToolBar* bar = host ? toolbars.toolbar(host->name()) : nullptr;
    if (bar == nullptr) {
        return;
    }
    // The boxes the program asked for in this toolbar, the latest of each kind.
    const auto handle = reinterpret_cast<std::intptr_t>(host);
    const engine::BoxRequest* requests[4] = {};
    for (const engine::BoxRequest& request : engine::CadCboxRequests()) {
        const int slot = request.kind - kFirstKind;
        if (request.parent == handle && slot >= 0 && slot < 4) {
            requests[slot] = &request;
        }
    }
    for (int slot = 0; slot < 4; ++slot) {
        if (requests[slot] == nullptr) {
            continue;
        }
        auto* box = new QComboBox(bar);
        box->setFixedWidth(requests[slot]->width);
        box->setMaxVisibleItems(20);
        bar->addWidget(box);
        boxes_[slot] = box;
        const Kind kind = Kind(kFirstKind + slot);
        connect(box, &QComboBox::activated, this, [this, kind](int index) { choose(kind, index); });
    }
    windows_ = main.windowsChanged.scoped([this] { followActive(); });
    followActive();
}

SelectorBoxes::~SelectorBoxes() = default;

QComboBox* SelectorBoxes::box(Kind kind) const {
    const int slot = kind - kFirstKind;
    return slot >= 0 && slot < 4 ? boxes_[slot] : nullptr;
}

void SelectorBoxes::followActive() {
    documents::DrawingWindow* window = main_.active();
    drawing_ = window ? window->vecad1Events.regeneratedSignal.scoped([this] { follow(); })
                      : shell::ChangeSignal::Connection();
    // A new selection is only redrawn, not regenerated.
    redrawn_ = window ? window->vecad1Events.redrawnSignal.scoped([this] { follow(); })
                      : shell::ChangeSignal::Connection();
    follow();
}

void SelectorBoxes::follow() {
    documents::DrawingWindow* window = main_.active();
    layers_.clear();
    colors_.clear();
    lineTypes_.clear();
    lineWeights_.clear();
    std::size_t chosen[4] = {};
    if (window != nullptr) {
        const engine::Drawing& drawing = window->Vecad1.drawing();
        const engine::SharedProps shared = engine::sharedProps(drawing, window->Vecad1.selection());
        for (const engine::Layer& layer : drawing.layers()) {
            if (layer.name == drawing.currentLayer()) {
                chosen[0] = layers_.size();
            }
            layers_.push_back(layer.name);
        }
        colors_ = engine::colorChoices(drawing);
        chosen[1] = place(colors_, shared.color);
        lineTypes_ = engine::lineTypeChoices(drawing);
        chosen[2] = place(lineTypes_, shared.lineType);
        lineWeights_ = engine::lineWeightChoices();
        chosen[3] = place(lineWeights_, shared.lineWeight);
    }
    for (QComboBox* box : boxes_) {
        if (box) {
            box->setEnabled(window != nullptr);
        }
    }
    if (QComboBox* layers = box(Layers)) {
        const QSignalBlocker quiet(layers);
        fill(*layers, layers_, chosen[0], [](const std::string& name) { return name; });
        if (window != nullptr) {
            for (std::size_t i = 0; i < layers_.size(); ++i) {
                const engine::Layer* layer = window->Vecad1.drawing().findLayer(layers_[i]);
                layers->setItemIcon(int(i), swatch(colorOf(layer->color)));
            }
        }
    }
    if (QComboBox* colors = box(Colors)) {
        const QSignalBlocker quiet(colors);
        fill(*colors, colors_, chosen[1], engine::colorName);
        for (std::size_t i = 0; i < colors_.size(); ++i) {
            if (hasColor(colors_[i])) {
                colors->setItemIcon(int(i), swatch(colorOf(colors_[i])));
            }
        }
    }
    if (QComboBox* types = box(LineTypes)) {
        const QSignalBlocker quiet(types);
        fill(*types, lineTypes_, chosen[2], engine::lineTypeName);
    }
    if (QComboBox* weights = box(LineWeights)) {
        const QSignalBlocker quiet(weights);
        fill(*weights, lineWeights_, chosen[3], engine::lineWeightName);
    }
}

void SelectorBoxes::choose(Kind kind, int index) {
    documents::DrawingWindow* window = main_.active();
    if (window == nullptr || index < 0) {
        return;
    }
    engine::Vecad& vecad = window->Vecad1;
    engine::Drawing& drawing = vecad.drawing();
    const std::vector<engine::Handle> selected = vecad.selection();
    const auto row = std::size_t(index);
    runGuarded([&] {
        switch (kind) {
            case Layers:
                engine::setLayer(drawing, selected, layers_.at(row));
                break;
            case Colors:
                engine::setColor(drawing, selected, colors_.at(row));
                break;
            case LineTypes:
                engine::setLineType(drawing, selected, lineTypes_.at(row));
                break;
            case LineWeights:
                engine::setLineWeight(drawing, selected, lineWeights_.at(row));
                break;
        }
    });
    // Tells the views and these boxes; they show what the drawing now holds.
    vecad.Update();
}

}  // namespace brondel::desktop
