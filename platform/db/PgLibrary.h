#pragma once

// libpq, loaded when the first server connection is made (or preloaded in
// the background, kdb::PreloadServerClient). The single-user edition never
// loads it: with the TLS, Kerberos and LDAP libraries it brings, it would add
// several milliseconds to every start of every program.
//
//   const PgLibrary& pq = LibPq();   // throws DbError when it cannot be loaded
//   PGconn* c = pq.PQconnectdbParams(...);
//
// Nothing outside platform/db includes this header.
#include <libpq-fe.h>

#include <thread>

namespace kdb {

// The functions of libpq the connection uses.
#define KV_LIBPQ_FUNCTIONS(X)                                                                      \
  X(PQcancel) X(PQclear) X(PQcmdTuples) X(PQconnectdbParams) X(PQconsumeInput) X(PQerrorMessage)  \
  X(PQfinish) X(PQfmod) X(PQfname) X(PQfreeCancel) X(PQfreemem) X(PQftype) X(PQgetCancel)          \
  X(PQgetResult) X(PQgetisnull) X(PQgetlength) X(PQgetvalue) X(PQisBusy) X(PQnfields)              \
  X(PQnotifies) X(PQntuples) X(PQresultErrorField) X(PQresultErrorMessage) X(PQresultStatus)       \
  X(PQsendPrepare) X(PQsendQuery) X(PQsendQueryParams) X(PQsendQueryPrepared)                      \
  X(PQsetNoticeProcessor) X(PQsocket) X(PQstatus) X(PQtransactionStatus) X(PQenterPipelineMode)    \
  X(PQexitPipelineMode) X(PQpipelineSync)

struct PgLibrary {
#define KV_LIBPQ_MEMBER(name) decltype(&::name) name = nullptr;
  KV_LIBPQ_FUNCTIONS(KV_LIBPQ_MEMBER)
#undef KV_LIBPQ_MEMBER
};

// Loaded once for the run; a failed load is tried again by the next call.
const PgLibrary& LibPq();

// libpq sets TLS up only once the server has agreed to it: OpenSSL's
// configuration read and its first context made, some 2 ms. While it lives,
// this does the same on a thread of its own (OpenSSL keeps what it read and
// fetched for the process), so that it goes on while the server starts the
// session; a connect holds one around PQconnectdbParams. Nothing happens when
// libpq brought no OpenSSL 3.
class TlsWarmUp {
 public:
  TlsWarmUp();
  ~TlsWarmUp();
  TlsWarmUp(const TlsWarmUp&) = delete;
  TlsWarmUp& operator=(const TlsWarmUp&) = delete;

 private:
  std::thread thread_;  // none when there is nothing to warm up
};

}  // namespace kdb
