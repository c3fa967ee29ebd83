#pragma once

namespace brio {

// The application title: window captions, help page name and menu texts derive from it.
inline constexpr const char* applicationTitle = "Brioletta";
// The maker's web-site host name, opened with a web scheme prefix by the web command.
inline constexpr const char* makerWebHost = "www.brioletta.net";

}  // namespace brio
