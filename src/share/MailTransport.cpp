// Sending: sendmail through a pipe, SMTP through libvmime's services, drafts as .eml files.
#include "share/MailTransport.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vmime/security/cert/X509Certificate.hpp>
#include <vmime/security/cert/defaultCertificateVerifier.hpp>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "codec/TempFiles.h"
#include "share/MailErrors.h"
#include "share/MailRules.h"
#include "share/VmimeMessage.h"

extern char** environ;

namespace xelo {

namespace {

// Step numbers in the origin of an error: which part of the send failed.
constexpr uint32_t kStepOpen = 10;
constexpr uint32_t kStepSend = 40;
constexpr uint32_t kStepClose = 50;
constexpr size_t kMaxErrorText = 4096;
constexpr char kCaBundle[] = "/etc/ssl/certs/ca-certificates.crt";

std::string ErrnoText(int error) {
    return std::strerror(error);
}

// sendmail wants the local line ends.
std::string WithUnixLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

// Writes all of `data` to `fd` with SIGPIPE held back, so a program that quits early makes an
// error here instead of ending ours. Returns 0 or the errno of the failed write.
int WriteAllHoldingSigpipe(int fd, const std::string& data) {
    sigset_t pipeOnly, old;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeOnly, &old);
    int error = 0;
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (error == EPIPE) {
        sigset_t pending;
        sigpending(&pending);
        if (sigismember(&pending, SIGPIPE)) {
            const timespec zero{0, 0};
            sigtimedwait(&pipeOnly, nullptr, &zero);
        }
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    return error;
}

class Deadline : public vmime::net::timeoutHandler {
  public:
    Deadline(int seconds, const std::atomic<bool>* cancel) : limit_(seconds), cancel_(cancel) {
        resetTimeOut();
    }
    bool isTimeOut() override {
        return (cancel_ != nullptr && cancel_->load()) ||
               std::chrono::steady_clock::now() - start_ > limit_;
    }
    void resetTimeOut() override { start_ = std::chrono::steady_clock::now(); }
    bool handleTimeOut() override { return false; }  // give up

  private:
    std::chrono::seconds limit_;
    const std::atomic<bool>* cancel_;
    std::chrono::steady_clock::time_point start_;
};

class DeadlineFactory : public vmime::net::timeoutHandlerFactory {
  public:
    DeadlineFactory(int seconds, const std::atomic<bool>* cancel)
        : seconds_(seconds), cancel_(cancel) {}
    vmime::shared_ptr<vmime::net::timeoutHandler> create() override {
        return vmime::make_shared<Deadline>(seconds_, cancel_);
    }

  private:
    int seconds_;
    const std::atomic<bool>* cancel_;
};

// The user turned the checks off for this server (a self-signed certificate at home).
class AcceptAnyCertificate : public vmime::security::cert::certificateVerifier {
  public:
    void verify(vmime::shared_ptr<vmime::security::cert::certificateChain>,
                const vmime::string&) override {}
};

class ProgressRelay : public vmime::utility::progressListener {
  public:
    explicit ProgressRelay(const std::function<void(size_t, size_t)>& to) : to_(to) {}
    void start(const size_t total) override { to_(0, total); }
    void progress(const size_t current, const size_t total) override { to_(current, total); }
    void stop(const size_t total) override { to_(total, total); }

  private:
    const std::function<void(size_t, size_t)>& to_;
};

// The system's trusted authorities, read once.
std::vector<vmime::shared_ptr<vmime::security::cert::X509Certificate>> SystemRootCertificates() {
    std::vector<vmime::shared_ptr<vmime::security::cert::X509Certificate>> roots;
    std::ifstream in(kCaBundle, std::ios::binary);
    const std::string bundle((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    static const std::string kBegin = "-----BEGIN CERTIFICATE-----";
    static const std::string kEnd = "-----END CERTIFICATE-----";
    size_t at = 0;
    while ((at = bundle.find(kBegin, at)) != std::string::npos) {
        const size_t end = bundle.find(kEnd, at);
        if (end == std::string::npos) break;
        const size_t stop = end + kEnd.size();
        const auto* bytes = reinterpret_cast<const vmime::byte_t*>(bundle.data() + at);
        if (auto cert = vmime::security::cert::X509Certificate::import(bytes, stop - at)) {
            roots.push_back(cert);
        }
        at = stop;
    }
    return roots;
}

vmime::shared_ptr<vmime::security::cert::certificateVerifier> Verifier(bool check) {
    if (!check) return vmime::make_shared<AcceptAnyCertificate>();
    static const auto roots = SystemRootCertificates();
    auto verifier = vmime::make_shared<vmime::security::cert::defaultCertificateVerifier>();
    verifier->setX509RootCAs(roots);
    return verifier;
}

std::string SenderOf(const SmtpSettings& settings) {
    if (!settings.sender.empty()) return settings.sender;
    if (settings.user.find('@') != std::string::npos) return settings.user;
    const char* login = std::getenv("USER");
    char host[256] = "localhost";
    ::gethostname(host, sizeof host - 1);
    return std::string(login && *login ? login : "user") + "@" + host;
}

// A file name from the subject: its letters and digits kept, others made "_".
std::string DraftBaseName(const std::string& subject) {
    std::string name;
    for (unsigned char c : subject) {
        if (name.size() >= 60) break;
        const bool keep = c >= 0x80 || std::isalnum(c) || c == ' ' || c == '-' || c == '_';
        name += keep ? static_cast<char>(c) : '_';
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '_'))
        name.pop_back();
    // Never cut a UTF-8 character in half.
    while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) {
        size_t lead = name.size() - 1;
        while (lead > 0 && (static_cast<unsigned char>(name[lead]) & 0xC0) == 0x80)
            --lead;
        const unsigned char first = static_cast<unsigned char>(name[lead]);
        const size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
        if (name.size() - lead == length) break;
        name.resize(lead);
    }
    return name.empty() ? std::string("Message") : name;
}

}  // namespace

void SendWithSendmail(const MailContent& content, const std::string& sendmailPath) {
    std::ostringstream text;
    WriteMimeMessage(content, text);
    const std::string message = WithUnixLineEnds(text.str());

    int input[2];
    int output[2];
    if (::pipe2(input, O_CLOEXEC) != 0)
        ThrowMailError(kErrOpenMailService, ErrnoText(errno), kStepOpen);
    if (::pipe2(output, O_CLOEXEC) != 0) {
        const int error = errno;
        ::close(input[0]);
        ::close(input[1]);
        ThrowMailError(kErrOpenMailService, ErrnoText(error), kStepOpen);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    posix_spawn_file_actions_adddup2(&actions, output[1], 2);
    std::string program = sendmailPath;
    std::string takeRecipients = "-t";
    std::string dotIsText = "-i";  // a line with a lone "." does not end the message
    char* argv[] = {program.data(), takeRecipients.data(), dotIsText.data(), nullptr};
    pid_t child = -1;
    const int spawned = posix_spawn(&child, sendmailPath.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(input[0]);
    ::close(output[1]);
    if (spawned != 0) {
        ::close(input[1]);
        ::close(output[0]);
        ThrowMailError(kErrOpenMailService, sendmailPath + ": " + ErrnoText(spawned), kStepOpen);
    }
    // What sendmail says is read beside the writing, so a talkative one cannot block us both.
    std::string said;
    std::thread reader([fd = output[0], &said] {
        char buffer[1024];
        ssize_t n;
        while ((n = ::read(fd, buffer, sizeof buffer)) != 0) {
            if (n < 0) {
                if (errno == EINTR) continue;
                break;
            }
            if (said.size() < kMaxErrorText) said.append(buffer, static_cast<size_t>(n));
        }
    });
    const int writeError = WriteAllHoldingSigpipe(input[1], message);
    ::close(input[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    reader.join();
    ::close(output[0]);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && writeError == 0) return;
    std::string detail = TrimBoth(said);
    if (detail.empty()) {
        detail = WIFEXITED(status)
                     ? "sendmail exited with status " + std::to_string(WEXITSTATUS(status))
                     : "sendmail ended by signal " + std::to_string(WTERMSIG(status));
        if (writeError != 0) detail = ErrnoText(writeError);
    }
    ThrowMailError(kErrUpdateMailService, detail, kStepSend);
}

void SendWithSmtp(const MailContent& content, const SmtpSettings& settings,
                  const std::function<void(size_t, size_t)>& progress) {
    if (settings.host.empty()) ThrowMailError(kErrOpenMailService, "no server", kStepOpen);
    MailContent withSender = content;
    if (withSender.from.empty()) withSender.from = SenderOf(settings);
    // The text is made here, as the drafts are: the library's own generation for servers that
    // take UTF-8 headers loses the spaces around non-ASCII words.
    const std::string text = GenerateMessageText(*BuildVmimeMessage(withSender));
    vmime::mailboxList recipients;
    for (const auto* field : {&content.to, &content.cc}) {
        for (const std::string& a : *field)
            recipients.appendMailbox(ParseMailbox(a));
    }
    const vmime::shared_ptr<vmime::mailbox> expeditor = ParseMailbox(withSender.from);

    const bool tls = settings.security == SmtpSecurity::kTls;
    const int port = settings.port > 0 ? settings.port : DefaultSmtpPort(settings.security);
    vmime::shared_ptr<vmime::net::transport> transport;
    try {
        auto session = vmime::net::session::create();
        transport = session->getTransport(vmime::utility::url(tls ? "smtps" : "smtp", settings.host,
                                                              static_cast<vmime::port_t>(port)));
        const bool startTls = settings.security == SmtpSecurity::kStartTls;
        transport->setProperty("connection.tls", startTls);
        transport->setProperty("connection.tls.required", startTls);
        transport->setProperty("options.need-authentication", !settings.user.empty());
        if (!settings.user.empty()) {
            transport->setProperty("auth.username", settings.user);
            transport->setProperty("auth.password", settings.password);
        }
        transport->setCertificateVerifier(Verifier(settings.verifyCertificates));
        transport->setTimeoutHandlerFactory(
            vmime::make_shared<DeadlineFactory>(settings.timeoutSeconds, settings.cancel));
        transport->connect();
    } catch (const vmime::exception& e) {
        ThrowMailError(kErrOpenMailService, VmimeErrorText(e), kStepOpen);
    } catch (const std::exception& e) {
        ThrowMailError(kErrOpenMailService, e.what(), kStepOpen);
    }
    try {
        vmime::utility::inputStreamStringAdapter stream(text);
        if (progress) {
            ProgressRelay relay(progress);
            transport->send(*expeditor, recipients, stream, text.size(), &relay);
        } else {
            transport->send(*expeditor, recipients, stream, text.size());
        }
    } catch (const vmime::exception& e) {
        const std::string text = VmimeErrorText(e);
        try {
            transport->disconnect();
        } catch (...) {
            // The server is gone already; the send's error is the one to tell.
        }
        ThrowMailError(kErrUpdateMailService, text, kStepSend);
    }
    try {
        transport->disconnect();
    } catch (const vmime::exception& e) {
        ThrowMailError(kErrCloseMailService, VmimeErrorText(e), kStepClose);
    }
}

std::string SaveDraft(const MailContent& content, const std::string& folder) {
    const std::string base = folder + "/" + DraftBaseName(content.subject);
    std::string temp;
    const int fd = CreateTempBeside(base + ".eml", 0644, temp);
    if (fd < 0) ThrowMailError(kErrOpenMailService, folder + ": " + ErrnoText(errno), kStepOpen);
    ::close(fd);
    try {
        {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            WriteMimeMessage(content, out);
            out.flush();
            if (!out)
                ThrowMailError(kErrUpdateMailService, temp + ": " + ErrnoText(EIO), kStepSend);
        }
        if (const int sync = ::open(temp.c_str(), O_RDONLY | O_CLOEXEC); sync >= 0) {
            ::fsync(sync);
            ::close(sync);
        }
        // link() never replaces a file: the first free name wins.
        for (int n = 1; n < 1000; ++n) {
            const std::string name =
                n == 1 ? base + ".eml" : base + " (" + std::to_string(n) + ").eml";
            int linked = ::link(temp.c_str(), name.c_str());
            if (linked != 0 && (errno == EPERM || errno == ENOTSUP) &&
                ::access(name.c_str(), F_OK) != 0) {
                // A file system without hard links (a memory card): rename to the free name.
                linked = ::rename(temp.c_str(), name.c_str());
            }
            if (linked == 0) {
                ::unlink(temp.c_str());
                SyncFolderOf(name);
                return name;
            }
            if (errno != EEXIST)
                ThrowMailError(kErrUpdateMailService, name + ": " + ErrnoText(errno), kStepSend);
        }
        ThrowMailError(kErrUpdateMailService, base + ".eml: " + ErrnoText(EEXIST), kStepSend);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

}  // namespace xelo
