#pragma once

#include <QObject>
#include <QString>
#include <exception>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

// The application's general error report: an error that no handler caught is
// shown in a message box with its text, and the program goes on.
//
// Exceptions must not travel through Qt's frames, so every slot, timer and
// event handler that can fail runs inside guard(), or is connected through
// connect() / guarded(), which do the same at the entry point.
class ErrorReport {
public:
    static void show(const QString& text);
    static void show(const std::exception& error);

    // Reports the exception being handled; call only inside a catch block.
    static void showCurrent();

    // Runs fn; whatever it throws is reported. True when fn ran to its end.
    template <typename Fn> static bool guard(Fn&& fn)
    {
        try {
            std::invoke(std::forward<Fn>(fn));
            return true;
        } catch (...) {
            showCurrent();
            return false;
        }
    }

    // A functor for connect() and QTimer that runs fn under guard(). The signal's
    // arguments are passed on as far as fn takes them, like a plain connect.
    template <typename Fn> static auto guarded(Fn fn)
    {
        return [fn = std::move(fn)](auto&&... args) mutable -> void {
            auto given = std::forward_as_tuple(std::forward<decltype(args)>(args)...);
            guard([&] { callPrefix<sizeof...(args)>(fn, given); });
        };
    }

    // The same for a member function of receiver.
    template <typename Receiver, typename Method>
    requires std::is_member_function_pointer_v<Method>

    static auto guarded(Receiver* receiver, Method method) { return guarded(std::bind_front(method, receiver)); }

    // connect() whose slot runs under guard(); receiver is the context that ends
    // the connection when it is destroyed. Qt::UniqueConnection cannot be used.
    template <typename Sender, typename Signal, typename Receiver, typename Slot>
    static QMetaObject::Connection connect(const Sender* sender, Signal signal, Receiver* receiver, Slot slot,
                                           Qt::ConnectionType type = Qt::AutoConnection)
    {
        if constexpr (std::is_member_function_pointer_v<Slot>) {
            return QObject::connect(sender, signal, receiver, guarded(receiver, slot), type);
        } else {
            return QObject::connect(sender, signal, receiver, guarded(std::move(slot)), type);
        }
    }

private:
    template <typename Fn, typename Tuple, std::size_t... I>
    static constexpr bool invocableWith(std::index_sequence<I...>)
    {
        return std::is_invocable_v<Fn&, std::tuple_element_t<I, Tuple>...>;
    }

    // Calls fn with the first N of the given arguments, or fewer: a slot may
    // take fewer arguments than its signal gives.
    template <std::size_t N, typename Fn, typename Tuple> static void callPrefix(Fn& fn, Tuple& given)
    {
        if constexpr (invocableWith<Fn, Tuple>(std::make_index_sequence<N>{})) {
            [&]<std::size_t... I>(std::index_sequence<I...>)
            {
                std::invoke(fn, std::get<I>(given)...);
            }
            (std::make_index_sequence<N>{});
        } else {
            static_assert(N > 0, "the slot takes arguments the signal does not give");
            callPrefix<N - 1>(fn, given);
        }
    }
};
