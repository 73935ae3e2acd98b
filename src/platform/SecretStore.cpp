// The Secret Service through libsecret's synchronous calls (short, and only on the user's send).
#include "platform/SecretStore.h"

#ifdef XELO_HAVE_LIBSECRET
#include <libsecret/secret.h>
#endif

namespace xelo {

#ifdef XELO_HAVE_LIBSECRET

namespace {

const SecretSchema* SmtpSchema() {
    static const SecretSchema schema = {"org.xelostyle.XeloAlbum.Smtp",
                                        SECRET_SCHEMA_NONE,
                                        {{"host", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                         {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                         {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                                        0,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr};
    return &schema;
}

}  // namespace

std::string LookupSmtpPassword(const std::string& host, const std::string& user) {
    GError* error = nullptr;
    gchar* password = secret_password_lookup_sync(SmtpSchema(), nullptr, &error, "host",
                                                  host.c_str(), "user", user.c_str(), nullptr);
    if (error) g_error_free(error);
    if (!password) return {};
    std::string out = password;
    secret_password_free(password);
    return out;
}

bool StoreSmtpPassword(const std::string& host, const std::string& user,
                       const std::string& password, std::string& errorText) {
    GError* error = nullptr;
    bool ok;
    if (password.empty()) {
        secret_password_clear_sync(SmtpSchema(), nullptr, &error, "host", host.c_str(), "user",
                                   user.c_str(), nullptr);
        ok = error == nullptr;
    } else {
        const std::string label = "Xelo Album: " + user + "@" + host;
        ok = secret_password_store_sync(SmtpSchema(), SECRET_COLLECTION_DEFAULT, label.c_str(),
                                        password.c_str(), nullptr, &error, "host", host.c_str(),
                                        "user", user.c_str(), nullptr);
    }
    if (error) {
        errorText = error->message ? error->message : "";
        g_error_free(error);
        ok = false;
    }
    return ok;
}

#else

std::string LookupSmtpPassword(const std::string&, const std::string&) {
    return {};
}

bool StoreSmtpPassword(const std::string&, const std::string&, const std::string&,
                       std::string& error) {
    error = "libsecret";
    return false;
}

#endif

}  // namespace xelo
