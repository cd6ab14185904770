#include "framework/CommandBar.h"

#include "framework/Dialog.h"
#include "framework/Dispatch_p.h"
#include "framework/ResourceTypes.h"
#include "framework/Screen_p.h"
#include "framework/Translation.h"
#include "framework/Widgets_p.h"
#include "framework/WinApp.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>

CCeCommandBar::~CCeCommandBar()
{
    // The bar's widget belongs to its dialog's page and goes with it.
    Detach();
}

bool CCeCommandBar::Create(CDialog* parent, UINT, int id)
{
    if (!parent || !parent->m_page)
        return false;
    fw::Page* page = parent->m_page;
    m_parent = parent;
    m_bar = new QToolBar(page->commandBarSlot);
    m_bar->setObjectName(QStringLiteral("commandBar%1").arg(id));
    m_bar->setMovable(false);
    m_bar->setFloatable(false);
    m_bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // This bar takes the place of the empty one the dialog started with.
    page->emptyBar->hide();
    page->commandBarLayout->addWidget(m_bar, 1);
    Attach(m_bar, id);
    m_lastInTabOrder = page->okButton;
    return true;
}

void CCeCommandBar::AddButton(QWidget* button)
{
    m_bar->addWidget(button);
    // Tab goes on from the ok button at the top to the bar's buttons at the
    // bottom, in the order they were added.
    QWidget::setTabOrder(m_lastInTabOrder, button);
    m_lastInTabOrder = button;
}

bool CCeCommandBar::InsertMenuBar(int menuId)
{
    const res::Menu* menu = res::FindMenu(menuId);
    if (!m_bar || !menu)
        return false;
    CDialog* dlg = m_parent;
    for (const res::MenuPopup& popup : menu->popups) {
        QString title = fw::ResourceText(res::kMenuContext, popup.title);
        title.remove(QLatin1Char('&'));
        auto* button = new QToolButton(m_bar);
        button->setText(title);
        button->setAccessibleName(title);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setFocusPolicy(Qt::TabFocus);
        auto* items = new QMenu(button);
        for (const res::MenuItem& item : popup.items) {
            QAction* action = items->addAction(fw::ResourceText(res::kMenuContext, item.text));
            const int command = item.command;
            QObject::connect(action, &QAction::triggered, m_bar,
                             [dlg, command] { fw::Guarded([&] { dlg->OnCmdMsg(WM_COMMAND, 0, command); }); });
        }
        button->setMenu(items);
        AddButton(button);
    }
    return true;
}

bool CCeCommandBar::LoadToolBar(int toolbarId)
{
    const res::Toolbar* toolbar = res::FindToolbar(toolbarId);
    if (!m_bar || !toolbar)
        return false;
    const QPixmap strip = fw::ResourcePixmap(toolbar->bitmapId);
    CDialog* dlg = m_parent;
    int index = 0;
    for (int command : toolbar->commands) {
        auto* button = new QToolButton(m_bar);
        const QPixmap image = strip.copy(index * toolbar->imageWidth, 0, toolbar->imageWidth, toolbar->imageHeight);
        button->setIcon(QIcon(image));
        button->setIconSize(QSize(toolbar->imageWidth, toolbar->imageHeight));
        // The button measures its image plus seven pixels each way.
        button->setFixedSize(toolbar->imageWidth + 7, toolbar->imageHeight + 7);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setFocusPolicy(Qt::TabFocus);
        button->setObjectName(QStringLiteral("command%1").arg(command));
        // The command's string is the button's tooltip and its name for
        // screen readers.
        if (const CString tip = LoadResourceString(command); !tip.isEmpty()) {
            button->setToolTip(tip);
            button->setAccessibleName(tip);
        }
        QObject::connect(button, &QToolButton::clicked, m_bar,
                         [dlg, command] { fw::Guarded([&] { dlg->OnCmdMsg(WM_COMMAND, 0, command); }); });
        AddButton(button);
        ++index;
    }
    return true;
}
