#!/usr/bin/env python3
"""Checks that the bounce corpus and its labels agree.

    check_labels.py [CORPUS_DIR]

CORPUS_DIR holds the <source>/<file>.eml messages; it defaults to the folder
of this script.  labels.tsv and sources.tsv are always read from beside this
script, so the same labels can be checked against a corpus kept elsewhere.

Fails (exit 1) when a labelled file is missing, a message is unlabelled, a
file's bytes differ from the recorded checksum, a line is malformed, or a
label taken from a delivery report no longer matches what that report says.
Where a label comes from the source's expected results and the message's own
delivery report names other recipients, that is printed as a note only: the
source's verdict is kept on purpose.
"""

import base64
import email
import hashlib
import os
import quopri
import re
import sys

KINDS = ('bounce', 'warning', 'autoreply')
HERE = os.path.dirname(os.path.abspath(__file__))


def delivery_status_parts(msg):
    # An attached message/rfc822 may itself be an old report; only the
    # outer message's own report speaks for this message.
    queue = [msg]
    while queue:
        part = queue.pop(0)
        ctype = part.get_content_type()
        if ctype == 'message/delivery-status':
            yield part
        elif part.is_multipart() and not ctype.startswith('message/'):
            queue.extend(part.get_payload())


def field_blocks(part):
    """The report's field blocks as lists of (lower-case name, value)."""
    payload = part.get_payload()
    if isinstance(payload, list):
        # The email package split the report at its blank lines, but it
        # drops into a block's body every field after a badly folded line;
        # reading the blocks back as text keeps those fields.
        payload = '\n\n'.join(block.as_string() for block in payload)
    cte = (part.get('Content-Transfer-Encoding') or '').strip().lower()
    if cte == 'base64':
        payload = base64.b64decode(''.join(payload.split())).decode('latin-1')
    elif cte == 'quoted-printable':
        payload = quopri.decodestring(payload.encode('latin-1')).decode('latin-1')
    blocks, current = [], []
    for line in re.split(r'\r\n|\r|\n', payload):
        if not line.strip():
            if current:
                blocks.append(current)
                current = []
        elif line[0] in ' \t' and current:
            name, value = current[-1]
            current[-1] = (name, value + ' ' + line.strip())
        elif ':' in line:
            name, value = line.split(':', 1)
            current.append((name.strip().lower(), value.strip()))
    if current:
        blocks.append(current)
    return blocks


def recipient_records(block):
    """(Final-Recipient, Action) pairs of one per-recipient block."""
    finals = [v for k, v in block if k == 'final-recipient']
    if len(finals) == 1:
        actions = [v for k, v in block if k == 'action']
        return [(finals[0], actions[0] if actions else '')]
    # Some reporters run several recipients together without blank lines:
    # each Action then follows its own Final-Recipient.
    records = []
    for name, value in block:
        if name == 'final-recipient':
            records.append([value, ''])
        elif name == 'action' and records and not records[-1][1]:
            records[-1][1] = value
    return [tuple(r) for r in records]


def rfc822_address(final_recipient):
    kind, _, address = final_recipient.partition(';')
    if kind.strip().lower() != 'rfc822':
        return None
    address = re.sub(r'\(.*?\)', '', address).strip().strip('<>').strip()
    if address.count('@') != 1 or ' ' in address:
        return None
    return address.lower()


def report_verdict(raw):
    """('bounce', failed addresses) / ('warning', []) / None from the report."""
    msg = email.message_from_bytes(raw)
    records = [r for part in delivery_status_parts(msg)
               for block in field_blocks(part)
               for r in recipient_records(block)]
    if not records:
        return None
    actions = [(a.split() or [''])[0].lower() for _, a in records]
    failed = [rfc822_address(f) for (f, _), a in zip(records, actions)
              if a == 'failed']
    if failed:
        if None in failed:
            return ('unreadable', [])
        return ('bounce', sorted(set(failed)))
    if all(a == 'delayed' for a in actions):
        return ('warning', [])
    return ('other', [])


def read_tsv(path):
    with open(path, encoding='utf-8') as f:
        return [line.rstrip('\n').split('\t') for line in f
                if line.strip() and not line.startswith('#')]


def main():
    corpus = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else HERE
    errors, notes = [], []
    labels = read_tsv(os.path.join(HERE, 'labels.tsv'))
    sums = {row[0]: row[4] for row in read_tsv(os.path.join(HERE, 'sources.tsv'))}

    seen = set()
    for row in labels:
        if len(row) != 4:
            errors.append(f'malformed line: {row!r}')
            continue
        rel, kind, addresses, origin = row
        addresses = addresses.split()
        if rel in seen:
            errors.append(f'{rel}: labelled twice')
        seen.add(rel)
        if kind not in KINDS:
            errors.append(f'{rel}: unknown kind {kind!r}')
        if (kind == 'bounce') != bool(addresses):
            errors.append(f'{rel}: a bounce needs failed addresses, other kinds none')
        for a in addresses:
            if a != a.lower() or a.count('@') != 1:
                errors.append(f'{rel}: address {a!r} is not a lower-case address')
        if origin != 'dsn' and not origin.startswith('expected:'):
            errors.append(f'{rel}: label origin {origin!r} is neither dsn nor expected:...')
        path = os.path.join(corpus, rel)
        if not os.path.isfile(path):
            errors.append(f'{rel}: labelled but missing')
            continue
        with open(path, 'rb') as f:
            raw = f.read()
        if rel not in sums:
            errors.append(f'{rel}: not in sources.tsv')
        elif hashlib.sha256(raw).hexdigest() != sums[rel]:
            errors.append(f'{rel}: bytes differ from the source copy')
        verdict = report_verdict(raw)
        if origin == 'dsn':
            if kind == 'autoreply':
                errors.append(f'{rel}: an autoreply cannot be labelled from a delivery report')
            elif verdict != (kind, sorted(addresses)):
                errors.append(f'{rel}: labelled {kind} {addresses}, report says {verdict}')
        elif verdict and verdict[0] in ('bounce', 'warning') and verdict != (kind, sorted(addresses)):
            notes.append(f'{rel}: kept {origin}: {kind} {addresses}; '
                         f'its report says {verdict[0]} {verdict[1]}')

    for folder, _, files in os.walk(corpus):
        for name in files:
            if name.endswith('.eml'):
                rel = os.path.relpath(os.path.join(folder, name), corpus).replace(os.sep, '/')
                if rel not in seen:
                    errors.append(f'{rel}: not labelled')

    for n in notes:
        print('note:', n)
    for e in errors:
        print('error:', e)
    counts = {}
    for row in labels:
        if len(row) == 4:
            counts[row[1]] = counts.get(row[1], 0) + 1
    print(', '.join(f'{counts.get(k, 0)} {k}' for k in KINDS) + f' in {len(labels)} files')
    failed = {e.split(':', 1)[0] for e in errors}
    print(f'{len(seen - failed)} passed, {len(failed)} failed')
    return 1 if errors else 0


if __name__ == '__main__':
    sys.exit(main())
