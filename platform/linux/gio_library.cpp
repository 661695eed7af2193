#include "platform/linux/gio_library.h"

#include <dlfcn.h>

namespace tapestro {

namespace {

constexpr char kGioSoname[] = "libgio-2.0.so.0";

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

bool ResolveAll(void* library, TGioLibrary& gio) {
  return Resolve(library, "g_settings_schema_source_get_default", gio.SchemaSourceGetDefault) &&
         Resolve(library, "g_settings_schema_source_lookup", gio.SchemaSourceLookup) &&
         Resolve(library, "g_settings_schema_has_key", gio.SchemaHasKey) &&
         Resolve(library, "g_settings_schema_get_key", gio.SchemaGetKey) &&
         Resolve(library, "g_settings_schema_key_get_value_type", gio.KeyGetValueType) &&
         Resolve(library, "g_settings_schema_key_range_check", gio.KeyRangeCheck) &&
         Resolve(library, "g_settings_schema_key_unref", gio.KeyUnref) &&
         Resolve(library, "g_settings_schema_unref", gio.SchemaUnref) &&
         Resolve(library, "g_settings_new_full", gio.SettingsNewFull) &&
         Resolve(library, "g_settings_delay", gio.SettingsDelay) &&
         Resolve(library, "g_settings_is_writable", gio.SettingsIsWritable) &&
         Resolve(library, "g_settings_set_string", gio.SettingsSetString) &&
         Resolve(library, "g_settings_apply", gio.SettingsApply) &&
         Resolve(library, "g_settings_sync", gio.SettingsSync) &&
         Resolve(library, "g_unix_mounts_get", gio.UnixMountsGet) &&
         Resolve(library, "g_unix_mount_free", gio.UnixMountFree) &&
         Resolve(library, "g_unix_mount_get_mount_path", gio.UnixMountGetMountPath) &&
         Resolve(library, "g_unix_mount_guess_should_display", gio.UnixMountGuessShouldDisplay) &&
         Resolve(library, "g_unix_mount_monitor_get", gio.UnixMountMonitorGet) &&
         // The library's own dependencies are searched too: GObject's functions.
         Resolve(library, "g_object_unref", gio.ObjectUnref) &&
         Resolve(library, "g_signal_connect_data", gio.SignalConnectData) &&
         Resolve(library, "g_signal_handler_disconnect", gio.SignalHandlerDisconnect);
}

}  // namespace

std::unique_ptr<const TGioLibrary> LoadGioLibrary(const char* soname) {
  // Local: nothing else in the process resolves against it by chance.
  void* library = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return nullptr;
  auto gio = std::make_unique<TGioLibrary>();
  if (ResolveAll(library, *gio)) return gio;
  dlclose(library);
  return nullptr;
}

const TGioLibrary* GioLibrary() {
  static const std::unique_ptr<const TGioLibrary> gio = LoadGioLibrary(kGioSoname);
  return gio.get();
}

}  // namespace tapestro
