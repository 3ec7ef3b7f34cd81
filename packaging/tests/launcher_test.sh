#!/bin/sh
# Runs the launcher against a stand-in program that records where and how it was started,
# with the real folder tool beside it.
# Usage: launcher_test.sh LAUNCHER PHONEBOOK_DB
set -u
launcher=$1
folder_tool=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# An installed layout: bin/ with the launcher, the folder tool and the stand-in program, which
# writes its working folder and its argument count to $work/started.
bin=$work/bin
mkdir -p "$bin"
cp "$launcher" "$bin/phonebook-launch"
ln -s "$(readlink -f "$folder_tool")" "$bin/phonebook-db"
cat >"$bin/phonebook" <<STUB
#!/bin/sh
printf '%s\n%s\n' "\$PWD" "\$#" >"$work/started"
STUB
chmod +x "$bin/phonebook-launch" "$bin/phonebook"

# Runs the launcher in $work with a clean environment plus the given assignments; returns its
# status. (Running in $work keeps a wrongly used relative path inside the temporary folder.)
launch() {
    rm -f "$work/started"
    (cd "$work" && env -i PATH=/usr/bin:/bin "$@" "$bin/phonebook-launch") >"$work/out" 2>&1
}

started_in() {
    [ -f "$work/started" ] && [ "$(sed -n 1p "$work/started")" = "$1" ] &&
        [ "$(sed -n 2p "$work/started")" = 0 ]
}

is_new_folder() {
    [ -s "$1/Base/ccx.ddx" ] && [ -f "$1/History/tel.txt" ] && [ -f "$1/History/user.txt" ] &&
        [ -f "$1/History/street.txt" ]
}

no_leftovers() {
    [ -z "$(find "$1" -maxdepth 1 -name 'phonebook.new.*')" ]
}

# 1. A missing folder under XDG_DATA_HOME is created (with missing parents) and used.
data=$work/xdg/data
launch HOME="$work/home1" XDG_DATA_HOME="$data" || fail "first start failed: $(cat "$work/out")"
is_new_folder "$data/phonebook" || fail "first start did not create the working folder"
started_in "$data/phonebook" || fail "program not started in $data/phonebook without arguments"
no_leftovers "$data" || fail "a temporary folder was left in $data"
[ ! -e "$work/home1" ] || fail "HOME was used although XDG_DATA_HOME is set"

# 2. An existing folder is used as it is: the database and the histories are not touched.
printf 'ИВАНОВ\r\n' | iconv -f UTF-8 -t CP1251 >>"$data/phonebook/History/user.txt"
before=$(cd "$data/phonebook" && find . -type f -exec md5sum {} + | sort)
launch XDG_DATA_HOME="$data" || fail "second start failed: $(cat "$work/out")"
after=$(cd "$data/phonebook" && find . -type f -exec md5sum {} + | sort)
[ "$before" = "$after" ] || fail "the second start changed the working folder"
started_in "$data/phonebook" || fail "second start: program not started in the folder"

# 3. An existing folder without a database is not filled in: the program is started in it and
#    reports the missing database itself.
mkdir -p "$work/partial/phonebook"
echo keep >"$work/partial/phonebook/notes"
launch XDG_DATA_HOME="$work/partial" || fail "start in a partial folder failed"
[ "$(ls -A "$work/partial/phonebook")" = notes ] || fail "the launcher changed an existing folder"
started_in "$work/partial/phonebook" || fail "program not started in the partial folder"

# 4. XDG_DATA_HOME unset, empty or relative: the default under HOME.
n=0
for setting in "" "XDG_DATA_HOME=" "XDG_DATA_HOME=relative/data"; do
    n=$((n + 1))
    home=$work/home-default-$n
    mkdir -p "$home"
    # shellcheck disable=SC2086 # an empty setting adds no word
    launch HOME="$home" $setting || fail "start with '$setting' failed: $(cat "$work/out")"
    is_new_folder "$home/.local/share/phonebook" || fail "'$setting': no folder under HOME"
    started_in "$home/.local/share/phonebook" || fail "'$setting': program not started there"
done

# 5. Started through a symbolic link from another folder: the program is still found.
mkdir -p "$work/links"
ln -s "$bin/phonebook-launch" "$work/links/phonebook-launch"
rm -f "$work/started"
env -i PATH=/usr/bin:/bin XDG_DATA_HOME="$data" "$work/links/phonebook-launch" >"$work/out" 2>&1 ||
    fail "start through a link failed: $(cat "$work/out")"
started_in "$data/phonebook" || fail "start through a link: program not started"

# 6. Failures stop with a message and without starting the program.
expect_failure() { # WHAT, then the launch assignments
    what=$1
    shift
    if launch "$@"; then
        fail "$what: the launcher succeeded"
    fi
    [ ! -f "$work/started" ] || fail "$what: the program was started"
    grep -q '^phonebook-launch: ' "$work/out" || fail "$what: no message ($(cat "$work/out"))"
}
echo "a file" >"$work/plain"
expect_failure "data home below a file" XDG_DATA_HOME="$work/plain/data"
mkdir -p "$work/clash"
echo "a file" >"$work/clash/phonebook"
expect_failure "working folder is a file" XDG_DATA_HOME="$work/clash"
[ "$(cat "$work/clash/phonebook")" = "a file" ] || fail "the file in the folder's place changed"
expect_failure "neither HOME nor XDG_DATA_HOME"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "launcher: all checks passed"
