#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

namespace devhost {

class HostSession;

// The development host's small player window: it plays media files and
// scenarios in the host's player and publishes the playback messages a
// player would, so that a person can try the plug-in as in the player.
class ControlWindow : public QWidget {
    Q_OBJECT

public:
    explicit ControlWindow(HostSession& session, QWidget* parent = nullptr);

    QPushButton* openButton() const { return openControl; }
    QPushButton* stopButton() const { return stopControl; }
    QPushButton* closeButton() const { return closeControl; }
    QString statusText() const;
    void showStatus(const QString& text);

public slots:
    // Asks for a file, then plays it.
    void chooseFile();
    // Plays `path`: its streams become the player's, then
    // "Playback.Playing.New". False, with the reason shown, when it cannot.
    bool play(const QString& path);
    // The player stops: no streams, then "Playback.Stopped".
    void stop();
    // The file is closed: no streams, then "Playback.Closed".
    void closeFile();

protected:
    // Closing this window ends the host.
    void closeEvent(QCloseEvent* event) override;

private:
    HostSession& session;
    QLabel* status;
    QPushButton* openControl;
    QPushButton* stopControl;
    QPushButton* closeControl;
};

}  // namespace devhost
