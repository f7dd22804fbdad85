#pragma once

namespace zel {

class TADOConnection;

/// A transaction of a connection for the length of a scope: rolled back when the
/// scope is left without commit() (an error on the way out of it).
class TADOTransaction {
public:
    explicit TADOTransaction(TADOConnection& connection);
    ~TADOTransaction();
    TADOTransaction(const TADOTransaction&) = delete;
    TADOTransaction& operator=(const TADOTransaction&) = delete;

    void commit();

private:
    TADOConnection& m_connection;
    bool m_open = true;
};

}  // namespace zel
