// POSIX: the registrations live in one list that the signal handler walks.
// The handler runs only on the main thread, and the main thread changes the
// list only with the three signals blocked, so the handler never sees it
// half changed; it calls nothing but async-signal-safe functions.
#include "common/interrupt_cleanup.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <vector>

#include <pthread.h>
#include <unistd.h>

namespace common {

namespace {

enum class Kind { File, Folder, Process };

struct Entry {
    Kind kind;
    QByteArray path;  // as the system takes it; empty for a process
    qint64 pid = 0;
};

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Never destroyed: a signal may come while the program ends.
std::vector<Entry>& g_entries = *new std::vector<Entry>;
pthread_t g_mainThread;
bool g_installed = false;

// Blocks the three signals on this thread while the list changes.
class SignalsBlocked {
public:
    SignalsBlocked()
    {
        sigset_t set;
        sigemptyset(&set);
        for (int sig : kSignals)
            sigaddset(&set, sig);
        pthread_sigmask(SIG_BLOCK, &set, &m_previous);
    }
    ~SignalsBlocked() { pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

private:
    sigset_t m_previous;
};

void add(Entry entry)
{
    if (!g_installed)
        return;
    SignalsBlocked blocked;
    const auto same = [&](const Entry& e) { return e.kind == entry.kind && e.path == entry.path && e.pid == entry.pid; };
    if (std::none_of(g_entries.begin(), g_entries.end(), same))
        g_entries.push_back(std::move(entry));
}

void forget(Kind kind, const QByteArray& path, qint64 pid)
{
    if (!g_installed)
        return;
    SignalsBlocked blocked;
    std::erase_if(g_entries, [&](const Entry& e) { return e.kind == kind && e.path == path && e.pid == pid; });
}

void onSignal(int sig)
{
    const int savedErrno = errno;
    if (!pthread_equal(pthread_self(), g_mainThread)) {
        // The main thread may be changing the list; it takes the signal as
        // soon as it lets it in.
        pthread_kill(g_mainThread, sig);
        errno = savedErrno;
        return;
    }
    for (auto e = g_entries.rbegin(); e != g_entries.rend(); ++e) {
        if (e->kind == Kind::File)
            ::unlink(e->path.constData());
    }
    for (auto e = g_entries.rbegin(); e != g_entries.rend(); ++e) {
        if (e->kind == Kind::Folder)
            ::rmdir(e->path.constData());
    }
    for (const Entry& e : g_entries) {
        if (e.kind == Kind::Process) {
            ::kill(-static_cast<pid_t>(e.pid), SIGTERM);
            ::kill(static_cast<pid_t>(e.pid), SIGTERM);
        }
    }
    // End as the signal would have ended the program: it is blocked while
    // this handler runs and arrives once the handler returns.
    struct sigaction plain = {};
    plain.sa_handler = SIG_DFL;
    sigemptyset(&plain.sa_mask);
    sigaction(sig, &plain, nullptr);
    ::raise(sig);
}

}  // namespace

void installInterruptCleanup()
{
    if (g_installed)
        return;
    g_mainThread = pthread_self();
    g_installed = true;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int sig : kSignals)
        sigaddset(&action.sa_mask, sig);
    for (int sig : kSignals) {
        // A signal the program was started to ignore (nohup, a background
        // job) stays ignored.
        struct sigaction previous = {};
        if (sigaction(sig, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        sigaction(sig, &action, nullptr);
    }
}

void removeFileOnInterrupt(const QString& path)
{
    add({Kind::File, QFile::encodeName(path), 0});
}

void keepFileOnInterrupt(const QString& path)
{
    forget(Kind::File, QFile::encodeName(path), 0);
}

void removeFolderOnInterrupt(const QString& path)
{
    add({Kind::Folder, QFile::encodeName(path), 0});
}

void keepFolderOnInterrupt(const QString& path)
{
    forget(Kind::Folder, QFile::encodeName(path), 0);
}

void stopProcessOnInterrupt(qint64 pid)
{
    if (pid > 0)
        add({Kind::Process, {}, pid});
}

void forgetProcessOnInterrupt(qint64 pid)
{
    forget(Kind::Process, {}, pid);
}

}  // namespace common
