# Fetches a Debian source package for the setup scripts, which source this file. The source comes through a
# deb-src entry of our own, with lists of its own, so that the machine's package lists are left as they are.

# fetch_debian_source <package>: unpacks the package's source into a fresh $work, removed when the script
# exits, and sets $source_dir to the unpacked tree. Needs root; apt's progress goes to standard output.
fetch_debian_source() {
    local package=$1
    local src_parts=/var/lib/learning-titles/apt-src-parts
    local src_lists=/var/lib/learning-titles/apt-src-lists
    mkdir -p "$src_parts" "$src_lists/partial"
    cat > "$src_parts/debian-src.sources" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    export DEBIAN_FRONTEND=noninteractive
    local src_opts=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$src_parts"
                    -o Dir::State::Lists="$src_lists")
    apt-get "${src_opts[@]}" update -q

    work=$(mktemp -d)
    chmod 755 "$work"  # apt fetches as its own user
    trap 'rm -rf "$work"' EXIT
    (cd "$work" && apt-get "${src_opts[@]}" source -q "$package" >/dev/null)
    source_dir=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name "$package-*" | head -n 1)
    [ -n "$source_dir" ] || { echo "setup: the $package source did not unpack" >&2; exit 1; }
}
