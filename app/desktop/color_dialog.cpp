#include "app/desktop/color_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/desktop/palette.h"
#include "engine/current_properties_editor.h"

namespace brondel::desktop {

namespace {

constexpr int kSwatch = 14;  // pixels square
// Colours 10 to 249 come in 24 hues of 10 shades each: one column per hue.
constexpr int kHues = 24;
constexpr int kShades = 10;

QString colorName(const engine::Color& c) {
    if (c.trueColor >= 0) {
        return QStringLiteral("%1,%2,%3")
            .arg((c.trueColor >> 16) & 0xff)
            .arg((c.trueColor >> 8) & 0xff)
            .arg(c.trueColor & 0xff);
    }
    if (c.aci == engine::Color::kByLayer) {
        return QStringLiteral("ByLayer");
    }
    if (c.aci == engine::Color::kByBlock) {
        return QStringLiteral("ByBlock");
    }
    return QString::number(c.aci);
}

}  // namespace

CurrentColorDialog::CurrentColorDialog(engine::CurrentPropertiesEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
    setWindowTitle(QString::fromStdString(editor.title()));
    const engine::Color current = editor.color();
    const auto swatch = [&](int aci) {
        auto* button = new QToolButton;
        button->setFixedSize(kSwatch, kSwatch);
        button->setAutoRaise(false);
        button->setToolTip(tr("Colour %1").arg(aci));
        const bool chosen = current.trueColor < 0 && current.aci == aci;
        button->setStyleSheet(QStringLiteral("background-color: %1; border: %2;")
                                  .arg(QColor::fromRgb(aciColor(aci)).name(),
                                       chosen ? "2px solid black" : "1px solid gray"));
        connect(button, &QToolButton::clicked, this, [this, aci] {
            pick(engine::Color{std::int16_t(aci), -1});
        });
        return button;
    };

    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    for (int hue = 0; hue < kHues; ++hue) {
        for (int shade = 0; shade < kShades; ++shade) {
            grid->addWidget(swatch(10 + hue * kShades + shade), shade, hue);
        }
    }
    auto* basic = new QHBoxLayout;
    basic->setSpacing(1);
    for (int aci = 1; aci <= 9; ++aci) {
        basic->addWidget(swatch(aci));
    }
    basic->addSpacing(3 * kSwatch);
    for (int aci = 250; aci <= 255; ++aci) {
        basic->addWidget(swatch(aci));
    }
    basic->addStretch();

    auto* byLayer = new QPushButton(tr("By&Layer"));
    auto* byBlock = new QPushButton(tr("By&Block"));
    auto* trueColor = new QPushButton(tr("&True colour..."));
    connect(byLayer, &QPushButton::clicked, this, [this] {
        pick(engine::Color{engine::Color::kByLayer, -1});
    });
    connect(byBlock, &QPushButton::clicked, this, [this] {
        pick(engine::Color{engine::Color::kByBlock, -1});
    });
    connect(trueColor, &QPushButton::clicked, this, [this, current] {
        const QColor start = current.trueColor >= 0 ? QColor::fromRgb(QRgb(current.trueColor))
                                                    : QColor::fromRgb(aciColor(current.aci));
        const QColor chosen = QColorDialog::getColor(start, this, tr("True colour"));
        if (chosen.isValid()) {
            // Read as typed, so the colour number kept beside it is the editor's.
            engine::Color color;
            const std::string word = QStringLiteral("%1,%2,%3")
                                         .arg(chosen.red())
                                         .arg(chosen.green())
                                         .arg(chosen.blue())
                                         .toStdString();
            if (engine::typedColor(word, color).empty()) {
                pick(color);
            }
        }
    });
    auto* named = new QHBoxLayout;
    named->addWidget(byLayer);
    named->addWidget(byBlock);
    named->addWidget(trueColor);
    named->addStretch();

    problem_ = new QLabel;
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Current colour: %1").arg(colorName(current))));
    layout->addLayout(named);
    layout->addLayout(grid);
    layout->addLayout(basic);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
}

void CurrentColorDialog::pick(const engine::Color& color) {
    const std::string refused = editor_.setColor(color);
    if (refused.empty()) {
        accept();
    } else {
        problem_->setText(QString::fromStdString(refused));
    }
}

}  // namespace brondel::desktop
