#include "startup/VersionGate.h"

#include "data/Database.h"
#include "startup/AppError.h"

bool DatabaseVersionOk(Database& connection)
{
    try {
        Recordset rs = connection.openRecordset(kVersionTestSql, CursorType::Static);
        rs.close();
        return true;
    } catch (const AppError&) {
        return false;
    }
}
