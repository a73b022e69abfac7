#include "ui/frm_options.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/options_pages.h"
#include "ui/qt_twips.h"
#include "ui/wrapping_buttons.h"

namespace ostrevin {
namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), text.size());
}

QPushButton* AddButton(QWidget* client, const char* name, const QString& caption, const TwipRect& r,
                       const TwipScale& scale) {
  auto* button = new WrappingPushButton(caption, client);
  button->setObjectName(name);
  scale.Place(*button, r);
  return button;
}

}  // namespace

frmOptions::frmOptions(SettingsStore& store, Platform& platform, QWidget* parent)
    : QDialog(parent), model_(store), platform_(&platform) {
  setFont(DesignFont());
  auto* client = new QWidget(this);
  const TwipScale scale = TwipScale::Of(*this);
  client->setFixedSize(scale.Pixels(options_layout::kClientWidth),
                       scale.Pixels(OptionsClientHeight()));
  AddTabs(*client, scale);
  AddButtons(*client, scale);
  auto* menu = new QMenuBar(this);
  menu->setNativeMenuBar(false);
  QAction* about = menu->addAction(tr("&About"));
  about->setObjectName("mnuAbout");

  connect(tbsLookFor_, &QTabWidget::currentChanged, this, &frmOptions::TabClicked);
  connect(about, &QAction::triggered, this, [this] { model_.About(*platform_); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setMenuBar(menu);
  layout->addWidget(client);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setWindowTitle(tr("Diagnosis Options"));
}

void frmOptions::AddTabs(QWidget& client, const TwipScale& scale) {
  auto* label1 =
      new QLabel(tr("Please select which irregularities you would like to look for:"), &client);
  label1->setObjectName("Label1");
  scale.Place(*label1, options_layout::kLabel1);
  WidenToText(*label1);
  tbsLookFor_ = new QTabWidget(&client);
  tbsLookFor_->setObjectName("tbsLookFor");
  scale.Place(*tbsLookFor_, options_layout::kTabStrip);
  tbsLookFor_->addTab(new CommonPage(model_), {});
  tbsLookFor_->addTab(new PatternsPage(model_), {});
  tbsLookFor_->addTab(new LevelsPage(model_), {});
  tbsLookFor_->addTab(new AdvancedLevelsPage(model_), {});
  for (int i = 0; i < tbsLookFor_->count(); ++i) {
    const OptionsPage& page = kOptionsPages[static_cast<std::size_t>(i)];
    tbsLookFor_->widget(i)->setObjectName("fraLookFor" + QString::number(i));
    tbsLookFor_->setTabText(i, Text(page.caption));
    tbsLookFor_->setTabToolTip(i, Text(page.tool_tip));
  }
  lblWhatIsSD_ = new QLabel(tr("(By 'SD' is meant the Process Standard Deviation, i.e. a third of "
                               "the distance between the central line and the control limits.)"),
                            &client);
  lblWhatIsSD_->setObjectName("lblWhatIsSD");
  lblWhatIsSD_->setWordWrap(true);
  lblWhatIsSD_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scale.Place(*lblWhatIsSD_, options_layout::kWhatIsSD);
  lblWhatIsSD_->setVisible(model_.WhatIsSDVisible());
}

void frmOptions::AddButtons(QWidget& client, const TwipScale& scale) {
  using namespace options_layout;
  QPushButton* cancel = AddButton(&client, "cmdCancel", tr("Cancel"), kCancel, scale);
  QPushButton* ok = AddButton(&client, "cmdOk", tr("OK"), kOk, scale);
  ok->setDefault(true);
  QPushButton* defaults = AddButton(&client, "cmdDefaults", tr("&Defaults"), kDefaults, scale);
  connect(ok, &QPushButton::clicked, this, &frmOptions::Ok);
  connect(cancel, &QPushButton::clicked, this, &frmOptions::reject);
  connect(defaults, &QPushButton::clicked, this, &frmOptions::Defaults);
}

void frmOptions::TabClicked(int index) {
  model_.SelectTab(static_cast<std::int16_t>(index));
  lblWhatIsSD_->setVisible(model_.WhatIsSDVisible());
}

void frmOptions::Ok() {
  const bool close = model_.Ok(*platform_, [this](OptionNumber box) {
    tbsLookFor_->setCurrentIndex(Control(box).page);
    if (auto* edit = findChild<QLineEdit*>(
            QString::fromUtf8(Control(box).name.data(), Control(box).name.size()))) {
      edit->setFocus();
      edit->selectAll();
    }
    // The page comes to the front before the message box covers the dialog.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  if (close) accept();
}

void frmOptions::Defaults() {
  model_.Defaults();
  reject();
}

}  // namespace ostrevin
