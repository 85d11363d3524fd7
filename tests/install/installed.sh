#!/usr/bin/env bash
# The installed trainer, as a user meets it.
#   installed.sh tree    BUILD_DIR VERSION   cmake --install into a temporary prefix: the layout,
#                                            the validators, --version and a start to the cover page
#                                            that writes nothing under the prefix
#   installed.sh uninstall BUILD_DIR VERSION cmake --install, then the uninstall target: every installed
#                                            file and link is in the manifest and none is left
#   installed.sh peruser BUILD_DIR VERSION   the same tree run by a user who cannot write the
#                                            program folder: the records go to the user's folder
#                                            and a restart reads them back
#   installed.sh users   BUILD_DIR VERSION   the same tree run by two users at once (as root:
#                                            setpriv), one of them killed and started again
#   installed.sh package BUILD_DIR VERSION   cpack -G DEB: its control fields, stripped binaries, the
#                                            documents, lintian (when installed) without an error or a
#                                            warning; unpacked into a scratch root and started
# Exit 77 means skipped (the reason is printed).
set -euo pipefail
mode=$1 build=$2 version=$3
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

# The trainer to the cover page and out again; HOME is the user's home.
start_trainer() { # prefix home [runner...]
    local prefix=$1 home=$2; shift 2
    local out
    out=$("$@" env HOME="$home" XDG_DATA_HOME= XDG_CONFIG_HOME= XDG_RUNTIME_DIR= QT_QPA_PLATFORM=offscreen \
          timeout 60 "$prefix/bin/caddrill" --quit-after-cover 2>"$scratch/stderr") ||
        fail "the installed trainer did not start: exit $?, $(cat "$scratch/stderr")"
    [[ $out == *"cover page shown"* ]] || fail "the trainer ended without showing the cover page: $out"
}

check_tree() { # prefix
    local p=$1 prog=$1/lib/caddrill
    [[ -L $p/bin/caddrill ]] || fail "bin/caddrill is not a link"
    [[ $(readlink -f "$p/bin/caddrill") == "$(readlink -f "$prog/caddrill")" ]] || fail "bin/caddrill points elsewhere"
    for f in caddrill refresher; do [[ -x $prog/$f ]] || fail "$f missing from the program folder"; done
    for f in ver.txt sMenu.sys refresher.txt ico01.CUR; do [[ -f $prog/$f ]] || fail "$f missing"; done
    [[ -d $prog/ksdata ]] || fail "ksdata missing"
    compgen -G "$prog/*/288891.rar" >/dev/null || fail "the data folder's set table is missing"
    local app=org.caddrill.trainer
    [[ -f $p/share/applications/$app.desktop ]] || fail "menu entry missing"
    [[ -f $p/share/metainfo/$app.metainfo.xml ]] || fail "metainfo missing"
    for s in 16 22 24 32 48 64 128 256; do
        local png=$p/share/icons/hicolor/${s}x${s}/apps/caddrill.png
        [[ -f $png ]] || fail "icon ${s}px missing"
        # width and height from the PNG header
        [[ $(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}') == "${s}x${s}" ]] ||
            fail "icon ${s}px has another size"
    done
    grep -q '<svg' "$p/share/icons/hicolor/scalable/apps/caddrill.svg" || fail "scalable icon missing"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$p/share/applications/$app.desktop" || fail "desktop-file-validate"
    else
        echo "note: desktop-file-validate not installed, menu entry not validated"
    fi
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --pedantic --no-net "$p/share/metainfo/$app.metainfo.xml" || fail "appstreamcli validate"
    else
        echo "note: appstreamcli not installed, metainfo not validated"
    fi
    # every screenshot the metainfo shows is one of data/screenshots/, at the size it states
    local shots=0 line name w h
    while read -r line; do
        [[ $line =~ width=\"([0-9]+)\"\ height=\"([0-9]+)\".*/screenshots/([a-z0-9-]+\.png) ]] ||
            fail "screenshot line not understood: $line"
        w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} name=${BASH_REMATCH[3]}
        [[ -f $source_dir/data/screenshots/$name ]] || fail "screenshot $name is not in data/screenshots"
        [[ $(od -An -tu1 -j16 -N8 "$source_dir/data/screenshots/$name" |
             awk '{print $3*256+$4 "x" $7*256+$8}') == "${w}x${h}" ]] || fail "screenshot $name is not ${w}x${h}"
        shots=$((shots + 1))
    done < <(grep '<image' "$p/share/metainfo/$app.metainfo.xml")
    ((shots > 0)) || fail "the metainfo shows no screenshot"
    [[ $("$p/bin/caddrill" --version) == "caddrill $version" ]] || fail "--version: $("$p/bin/caddrill" --version)"
    [[ $("$prog/refresher" --version) == "refresher $version" ]] || fail "refresher --version"
}

# Every path below a folder with the checksum of each file.
contents() { # folder
    (cd "$1" && find . | sort && find . -type f -print0 | sort -z | xargs -0 md5sum)
}

install_tree() { # prefix
    cmake --install "$build" --prefix "$1" >"$scratch/install.log" || { cat "$scratch/install.log"; fail "cmake --install"; }
    chmod -R a+rX "$1"
}

case $mode in
uninstall)
    install_tree "$scratch/usr"
    manifest=$build/install_manifest.txt
    # everything the install put down, file or link, is listed
    while read -r f; do
        grep -qxF "$f" "$manifest" || fail "not in the install manifest: $f"
    done < <(find "$scratch/usr" ! -type d)
    cmake --build "$build" --target uninstall >"$scratch/uninstall.log" 2>&1 ||
        { cat "$scratch/uninstall.log"; fail "the uninstall target"; }
    left=$(find "$scratch/usr" ! -type d)
    [[ -z $left ]] || fail "left after the uninstall: $left"
    [[ ! -e $scratch/usr/lib/caddrill ]] || fail "the program folder is left after the uninstall"
    ;;
tree)
    install_tree "$scratch/usr"
    check_tree "$scratch/usr"
    mkdir -p "$scratch/home"
    before=$(contents "$scratch/usr")
    start_trainer "$scratch/usr" "$scratch/home"
    # an installed program folder is never written, even by a user who could
    # (root): the records go to the user's own folder
    after=$(contents "$scratch/usr")
    [[ $after == "$before" ]] || fail "the trainer wrote under the prefix: $(diff <(echo "$before") <(echo "$after"))"
    name=$(basename "$(dirname "$(compgen -G "$scratch/usr/lib/caddrill/*/288891.rar")")")
    own=$scratch/home/.local/share/caddrill/$name
    [[ -f $own/288892.rar && $(head -c1 "$own/288892.rar") == 1 ]] || fail "no first-run marker in $own"
    ;;
users)
    # Two users run the installed trainer at the same time, and a trainer
    # killed by one user does not lock the other out, nor its own user.
    [[ $(id -u) == 0 ]] || skip "starting the trainer as two users needs root"
    command -v setpriv >/dev/null || skip "setpriv missing"
    install_tree "$scratch/usr"
    for u in nobody daemon; do
        mkdir -p "$scratch/$u/home" "$scratch/$u/run"
        chown -R "$u" "$scratch/$u"
        chmod 700 "$scratch/$u/run"
    done
    as() { # user command...
        local u=$1; shift
        setpriv --reuid="$u" --regid="$(id -g "$u")" --clear-groups \
            env HOME="$scratch/$u/home" XDG_RUNTIME_DIR="$scratch/$u/run" XDG_DATA_HOME= XDG_CONFIG_HOME= \
            QT_QPA_PLATFORM=offscreen "$@"
    }
    reaches_cover() { # user
        local out
        out=$(as "$1" timeout 60 "$scratch/usr/bin/caddrill" --quit-after-cover 2>"$scratch/stderr") ||
            fail "user $1: the trainer did not start: exit $?, $(cat "$scratch/stderr")"
        [[ $out == *"cover page shown"* ]] || fail "user $1: no cover page: $out $(cat "$scratch/stderr")"
    }
    installed=$(contents "$scratch/usr")
    as nobody "$scratch/usr/bin/caddrill" >"$scratch/a.log" 2>&1 &
    running=$!
    for _ in $(seq 300); do
        compgen -G "$scratch/nobody/run/caddrill-*.lock" >/dev/null && break
        kill -0 "$running" 2>/dev/null || fail "the first user's trainer ended: $(cat "$scratch/a.log")"
        sleep 0.1
    done
    compgen -G "$scratch/nobody/run/caddrill-*.lock" >/dev/null || fail "the first user's trainer took no lock"
    reaches_cover daemon
    # the trainer is a child of the backgrounded runner: its own pid is the lock's first line
    trainer=$(head -n1 "$(compgen -G "$scratch/nobody/run/caddrill-*.lock")")
    [[ $trainer =~ ^[0-9]+$ ]] || fail "no process named in the lock: $trainer"
    kill -9 "$trainer"
    wait "$running" 2>/dev/null || true
    compgen -G "$scratch/nobody/run/caddrill-*.lock" >/dev/null || fail "the killed trainer left no lock to recover"
    reaches_cover daemon
    reaches_cover nobody
    [[ $(contents "$scratch/usr") == "$installed" ]] || fail "a user's trainer wrote under the prefix"
    ;;
peruser)
    install_tree "$scratch/usr"
    home=$scratch/home
    mkdir -p "$home"
    if [[ $(id -u) == 0 ]]; then
        if command -v setpriv >/dev/null; then
            runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
        elif command -v runuser >/dev/null; then
            runner=(runuser -u nobody --)
        else
            skip "running as root without setpriv or runuser: no way to start the trainer as another user"
        fi
        chown nobody "$home"
    else
        # an ordinary user is stopped by the permission bits
        chmod -R a-w "$scratch/usr/lib/caddrill"
        runner=()
    fi
    prog=$scratch/usr/lib/caddrill
    # the program folder refuses every write: before the per-user folder existed
    # the trainer did not get past its first-run marker
    start_trainer "$scratch/usr" "$home" "${runner[@]}"
    start_trainer "$scratch/usr" "$home" "${runner[@]}"
    name=$(basename "$(dirname "$(compgen -G "$prog/*/288891.rar")")")
    own=$home/.local/share/caddrill/$name
    [[ -f $own/288892.rar && $(head -c1 "$own/288892.rar") == 1 ]] || fail "no first-run marker in $own"
    # two starts from a shipped counter that was absent or 0: the counter read back at the second start
    [[ $(tr -d '\r\n' <"$own/288897.rar") == 2 ]] || fail "start counter: $(cat "$own/288897.rar")"
    chmod -R u+w "$scratch/usr" 2>/dev/null || true
    ;;
package)
    command -v cpack >/dev/null && command -v dpkg-deb >/dev/null || skip "cpack or dpkg-deb missing"
    (cd "$scratch" && cpack -G DEB -B "$scratch" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1) ||
        { cat "$scratch/cpack.log"; fail "cpack -G DEB"; }
    deb=$(compgen -G "$scratch/*.deb") || fail "no package written"
    [[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "package version"
    depends=$(dpkg-deb -f "$deb" Depends)
    for p in libqt6widgets6 qt6-qpa-plugins qt6-translations-l10n; do
        [[ $depends =~ (^|, )$p( |,|$) ]] || fail "the package does not depend on $p: $depends"
    done
    # a summary and an extended description below it
    (($(dpkg-deb -f "$deb" Description | wc -l) > 2)) || fail "no extended description"
    mkdir -p "$scratch/root" "$scratch/home"
    dpkg-deb -x "$deb" "$scratch/root"
    doc=$scratch/root/usr/share/doc/caddrill
    [[ -f $doc/copyright ]] || fail "no copyright file"
    [[ $(zcat "$doc/changelog.gz" | head -1) == "caddrill ($version) "* ]] ||
        fail "the changelog does not start with version $version: $(zcat "$doc/changelog.gz" | head -1)"
    zcat "$scratch/root/usr/share/man/man1/caddrill.1.gz" | grep -qF '\-\-version' ||
        fail "no manual page for caddrill (help2man missing at configure time?)"
    for f in caddrill refresher; do
        sections=$(LC_ALL=C readelf -SW "$scratch/root/usr/lib/caddrill/$f")
        [[ $sections != *" .debug_"* && $sections != *" .symtab "* ]] || fail "$f is not stripped"
    done
    if command -v lintian >/dev/null; then
        # lintian refuses to look at a package as root only with a note
        lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 ||
            { cat "$scratch/lintian.log"; fail "lintian: errors or warnings"; }
    else
        echo "note: lintian not installed, the package not checked by it"
    fi
    check_tree "$scratch/root/usr"
    start_trainer "$scratch/root/usr" "$scratch/home"
    ;;
*) fail "unknown mode $mode" ;;
esac
echo "PASS: $mode"
