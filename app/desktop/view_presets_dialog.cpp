#include "app/desktop/view_presets_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/view_presets_editor.h"

namespace brondel::desktop {

namespace {

using engine::ViewDirection;

struct Place {
    ViewDirection direction;
    int row, column;
};

constexpr Place kPlanes[] = {
    {ViewDirection::Top, 0, 0},   {ViewDirection::Bottom, 0, 1}, {ViewDirection::Left, 1, 0},
    {ViewDirection::Right, 1, 1}, {ViewDirection::Front, 2, 0},  {ViewDirection::Back, 2, 1},
};
// North up, as on a map.
constexpr Place kIsometric[] = {
    {ViewDirection::NorthWest, 0, 0},
    {ViewDirection::NorthEast, 0, 1},
    {ViewDirection::SouthWest, 1, 0},
    {ViewDirection::SouthEast, 1, 1},
};

}  // namespace

ViewPresetsDialog::ViewPresetsDialog(engine::ViewPresetsEditor& editor, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromStdString(editor.title()));
    const auto group = [&](const QString& title, const auto& places) {
        auto* box = new QGroupBox(title);
        auto* grid = new QGridLayout(box);
        for (const Place& place : places) {
            auto* button =
                new QPushButton(QString::fromStdString(engine::viewDirectionName(place.direction)));
            button->setCheckable(true);
            button->setChecked(place.direction == editor.current());
            connect(button, &QPushButton::clicked, this, [this, &editor, place] {
                editor.choose(place.direction);
                accept();
            });
            grid->addWidget(button, place.row, place.column);
        }
        return box;
    };
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group(tr("Looking along an axis"), kPlanes));
    layout->addWidget(group(tr("Isometric, from above"), kIsometric));
    layout->addWidget(buttons);
}

}  // namespace brondel::desktop
