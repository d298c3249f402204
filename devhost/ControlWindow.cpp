#include "devhost/ControlWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "devhost/HostSession.h"
#include "devhost/player/PlayerSource.h"

namespace devhost {

ControlWindow::ControlWindow(HostSession& session, QWidget* parent)
    : QWidget(parent), session(session) {
    setWindowTitle("Devhost Player");
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    openControl = new QPushButton("Open…", this);
    stopControl = new QPushButton("Stop", this);
    closeControl = new QPushButton("Close", this);
    buttons->addWidget(openControl);
    buttons->addWidget(stopControl);
    buttons->addWidget(closeControl);
    layout->addLayout(buttons);
    status = new QLabel("Nothing open", this);
    status->setMinimumWidth(260);
    status->setWordWrap(true);
    layout->addWidget(status);

    connect(openControl, &QPushButton::clicked, this, &ControlWindow::chooseFile);
    connect(stopControl, &QPushButton::clicked, this, &ControlWindow::stop);
    connect(closeControl, &QPushButton::clicked, this, &ControlWindow::closeFile);
}

QString ControlWindow::statusText() const {
    return status->text();
}

void ControlWindow::showStatus(const QString& text) {
    status->setText(text);
}

void ControlWindow::chooseFile() {
    const QString path = QFileDialog::getOpenFileName(this, "Play a media or scenario file");
    if (!path.isEmpty()) {
        play(path);
    }
}

bool ControlWindow::play(const QString& path) {
    QString problem;
    const std::optional<Scenario> scenario = loadPlayerSource(path, problem);
    if (!scenario) {
        showStatus(QFileInfo(path).fileName() + ": " + problem);
        return false;
    }
    session.playerModel() = scenario->player;
    showStatus("Playing " + QFileInfo(path).fileName());
    for (const ScenarioMessage& message : scenario->messages) {
        message.change.applyTo(session.playerModel());
        session.publish(message.topic);
    }
    return true;
}

void ControlWindow::stop() {
    session.playerModel().streams.clear();
    showStatus("Stopped");
    session.publish("Playback.Stopped");
}

void ControlWindow::closeFile() {
    session.playerModel().streams.clear();
    showStatus("Nothing open");
    session.publish("Playback.Closed");
}

void ControlWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::quit();
}

}  // namespace devhost
