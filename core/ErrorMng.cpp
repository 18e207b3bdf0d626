#include "core/ErrorMng.h"

#include <new>
#include <stdexcept>

namespace ErrorMng {

VospError CurrentError() {
    const std::exception_ptr p = std::current_exception();
    if (!p) return VospError(0, {}, {});
    try {
        std::rethrow_exception(p);
    } catch (const VospError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return VospError(7, {}, ClassicErrorText(7));
    } catch (const std::length_error&) {
        return VospError(7, {}, ClassicErrorText(7));
    } catch (const std::overflow_error&) {
        return VospError(6, {}, ClassicErrorText(6));
    } catch (const std::out_of_range&) {
        return VospError(9, {}, ClassicErrorText(9));
    } catch (const std::invalid_argument&) {
        return VospError(13, {}, ClassicErrorText(13));
    } catch (const std::exception& e) {
        return VospError(51, {}, QString::fromUtf8(e.what()));
    } catch (...) {
        return VospError(51, {}, ClassicErrorText(51));
    }
}

void AddErrContext(VospError& e, int32_t number, const QString& objectName, const QString& procName,
                   const QString& comment) {
    e.source = objectName + QLatin1Char('.') + procName + QLatin1Char('/') + e.source;
    if (!comment.isEmpty()) e.description = comment + QLatin1Char('/') + e.description;
    if (e.number == 0) e.number = number;
}

void ReRaise(int32_t number, const QString& objectName, const QString& procName, const QString& comment) {
    VospError e = CurrentError();
    AddErrContext(e, number, objectName, procName, comment);
    throw e;
}

void RaiseNew(int32_t number, const QString& objectName, const QString& procName, const QString& comment) {
    VospError e(0, {}, {});
    AddErrContext(e, number, objectName, procName, comment);
    throw e;
}

} // namespace ErrorMng
