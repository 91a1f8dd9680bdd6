#pragma once

#include "integrations/PurloUpdateTransport.h"

#include <QSslConfiguration>

namespace purlo {

// The update checker's transport over Qt Network. It sends only to "https" URLs,
// always verifies the server's certificate against tls's trusted roots (whatever
// tls says about verification), follows a redirect only to another "https" URL and
// stops reading a body that grows past the request's cap. It never caches and keeps no
// cookies, so one check cannot be linked to the next. Replies arrive on Qt's event
// loop, so the thread that sends must run one.
PurloUpdateTransport makeQtUpdateTransport(QSslConfiguration tls);
// The same with the system's TLS configuration, made at the first check: loading the
// TLS libraries costs start-up time and memory that a program that never checks for
// updates should not pay.
PurloUpdateTransport makeQtUpdateTransport();

} // namespace purlo
