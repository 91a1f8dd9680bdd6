#pragma once

#include "integrations/PurloUpdateTransport.h"

#include <QSslConfiguration>

namespace purlo {

// The update checker's transport over Qt Network. It sends only to "https" URLs,
// always verifies the server's certificate against tls's trusted roots (whatever
// tls says about verification), follows a redirect only to another "https" URL and
// stops reading a body that grows past the request's cap. It never caches. Replies
// arrive on Qt's event loop, so the thread that sends must run one.
PurloUpdateTransport
makeQtUpdateTransport(QSslConfiguration tls = QSslConfiguration::defaultConfiguration());

} // namespace purlo
