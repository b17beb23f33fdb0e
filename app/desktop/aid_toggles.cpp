#include "app/desktop/aid_toggles.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace brondel::desktop {

AidToggles::AidToggles(shell::MainWindow& main, Command command, QWidget* parent)
    : QWidget(parent), main_(main) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (const shell::DraftingAidRow& row : shell::kDraftingAids) {
        auto* button = new QToolButton(this);
        button->setText(QString::fromLatin1(row.caption));
        button->setToolTip(QString::fromLatin1("%1 on/off (%2)").arg(row.name, row.key));
        button->setCheckable(true);
        button->setAutoRaise(true);
        // The program decides; the button shows what it decided.
        connect(button, &QToolButton::clicked, this, [this, command, aid = row.aid] {
            command([this, aid] { main_.toggleAid(aid); });
            follow();
        });
        layout->addWidget(button);
        buttons_.push_back(button);
    }
    connections_.push_back(main.aidsChanged.scoped([this] { follow(); }));
    connections_.push_back(main.windowsChanged.scoped([this] { follow(); }));
    follow();
}

QToolButton* AidToggles::button(shell::DraftingAid aid) const {
    return buttons_[static_cast<std::size_t>(aid)];
}

void AidToggles::follow() {
    const bool drawing = main_.active() != nullptr;
    for (const shell::DraftingAidRow& row : shell::kDraftingAids) {
        QToolButton* b = button(row.aid);
        b->setEnabled(drawing);
        b->setChecked(main_.aidOn(row.aid));
    }
}

}  // namespace brondel::desktop
