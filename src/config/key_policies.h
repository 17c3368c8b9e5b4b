#pragma once

#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>

namespace corvane {

// Every reader finds a key's value with the same rule (config/tag_value.h); they differ
// in what a key that cannot be read does to the rest of the file. Each policy is one
// function here, so a reader names the policy it follows.

// One key of a file read by applyKeysUpToFirstUnreadable. `apply` takes the value and
// may fail with corvane::Failure itself (a number that is not one); without `apply` the
// key is only read, so that a broken key still ends the reading where it stands.
struct KeyStep {
    QString key;
    std::function<void(const QString& value)> apply;
};

// The main window's start-up: applies the keys in the order given and ends at the first
// one that cannot be read or applied, with its Failure. The keys before it keep their new
// values and the keys after it keep whatever they held.
void applyKeysUpToFirstUnreadable(const QString& fileText, std::initializer_list<KeyStep> steps);

// The files whose readers take a default for every missing key (mqtt.cfg and the later
// settings files) and the log viewer: a key counts only when its opening tag and a closing
// tag after it are both there. Nothing otherwise, never a guess from half a pair.
std::optional<QString> presentTagValue(const QString& fileText, const QString& key);

}  // namespace corvane
