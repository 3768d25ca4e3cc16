#include "desktop_sounds.h"

#include <gio/gio.h>

#include "loaded_library.h"

// The calls used from GIO, typed by its own header.
struct DesktopSounds::Calls {
    decltype(&g_settings_schema_source_get_default) sources = nullptr;
    decltype(&g_settings_schema_source_lookup) lookup = nullptr;
    decltype(&g_settings_schema_unref) unrefSchema = nullptr;
    decltype(&g_settings_new) settingsOf = nullptr;
    decltype(&g_settings_get_string) string = nullptr;
    decltype(&g_settings_get_boolean) boolean = nullptr;
    decltype(&g_free) free = nullptr;
    decltype(&g_object_unref) unref = nullptr;

    // Null where GIO, or one of the calls, is missing.
    static const Calls* load() {
        static const Calls* const loaded = [] {
            static Calls calls;
            void* gio = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
            const bool all =
                gio && resolve(gio, calls.sources, "g_settings_schema_source_get_default") &&
                resolve(gio, calls.lookup, "g_settings_schema_source_lookup") &&
                resolve(gio, calls.unrefSchema, "g_settings_schema_unref") &&
                resolve(gio, calls.settingsOf, "g_settings_new") &&
                resolve(gio, calls.string, "g_settings_get_string") &&
                resolve(gio, calls.boolean, "g_settings_get_boolean") &&
                resolve(gio, calls.free, "g_free") && resolve(gio, calls.unref, "g_object_unref");
            return all ? &calls : nullptr;
        }();
        return loaded;
    }
};

DesktopSounds::DesktopSounds() : calls_(Calls::load()) {
    constexpr const char* kSchema = "org.gnome.desktop.sound";
    if (!calls_) return;
    // Asking for settings of a schema that is not installed would abort.
    GSettingsSchemaSource* installed = calls_->sources();
    GSettingsSchema* schema = installed ? calls_->lookup(installed, kSchema, TRUE) : nullptr;
    if (!schema) return;
    calls_->unrefSchema(schema);
    settings_ = calls_->settingsOf(kSchema);
}

DesktopSounds::~DesktopSounds() {
    if (settings_) calls_->unref(settings_);
}

std::string DesktopSounds::theme() const {
    if (!settings_) return {};
    char* name = calls_->string(settings_, "theme-name");
    std::string theme = name ? name : "";
    calls_->free(name);
    return theme;
}

bool DesktopSounds::eventSounds() const {
    return !settings_ || calls_->boolean(settings_, "event-sounds");
}
