#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

// A task's progress on the desktop's task bar or dock, where it reads the Unity launcher entry's
// Update signal (KDE Plasma, Ubuntu's dock): "progress" (0 to 1) and "progress-visible". Signals
// are sent without waiting for anyone; without a bus nothing is sent.
class TaskbarProgress : public QObject {
    Q_OBJECT
public:
    // sAppUri names the program by its desktop entry: "application://clipwright.desktop".
    TaskbarProgress(const QString &sAppUri, const QDBusConnection &bus, QObject *parent = nullptr);

    // Shows iPercent (0 to 100); the same value again sends nothing.
    void SetProgress(int iPercent);
    // Takes the progress off the task bar.
    void Clear();

private:
    void Update(double dProgress, bool bVisible);

    QString m_sAppUri;
    QString m_sPath;
    QDBusConnection m_bus;
    int m_iShown = -1; // the percentage on the task bar, -1 for none
};
