#pragma once
// The guard at the event boundary: no exception may leave a Qt slot or event handler, since
// Qt's own frames cannot unwind it. A guarded body that fails shows its error through the
// message service and returns; the silent abort (core::EAbort) ends the body without a word.

#include <QApplication>

#include <cstddef>
#include <exception>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

namespace controls {

// Shows the error held by `error` (nothing for the silent abort). Never throws.
void ShowGuardedException(std::exception_ptr error) noexcept;

// Runs the body; an exception stops it and is shown. True when the body ran to its end.
bool RunGuarded(const std::function<void()>& body) noexcept;

namespace guard_detail {

template <typename F, typename Tuple, std::size_t... I>
constexpr bool invocableWith(std::index_sequence<I...>) {
    return std::is_invocable_v<F&, std::tuple_element_t<I, Tuple>...>;
}

// Calls the slot with as many of the leading signal arguments as it takes, as connect() does.
template <std::size_t N, typename F, typename Tuple>
void callLeading(F& slot, Tuple& args) {
    if constexpr (invocableWith<F, Tuple>(std::make_index_sequence<N>{})) {
        [&]<std::size_t... I>(std::index_sequence<I...>) { slot(std::get<I>(args)...); }(std::make_index_sequence<N>{});
    } else {
        static_assert(N > 0, "the slot cannot take the signal's arguments");
        if constexpr (N > 0)
            callLeading<N - 1>(slot, args);
    }
}

} // namespace guard_detail

// Wraps a slot (a callable taking the leading arguments of a signal) in the guard, for connect().
template <typename F>
auto Guarded(F slot) {
    return [slot = std::move(slot)](auto&... args) mutable {
        std::tuple<decltype(args)...> refs(args...);
        RunGuarded([&] { guard_detail::callLeading<sizeof...(args)>(slot, refs); });
    };
}

// Delivers the event through the application's own notify inside the guard.
bool NotifyGuarded(QObject* receiver, QEvent* event);

// The program's application object: every event handler runs inside the guard, so that an
// error raised by a control's handler is shown instead of ending the program.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace controls
