#!/usr/bin/env python3
"""A scripted TDS 7.4 endpoint for testing the FreeTDS route without SQL Server.

It answers pre-login and login, then every SQL batch or RPC with canned token
streams chosen by the statement text, and logs what it received (login fields,
statement texts) as JSON lines so the test can check them.

usage: fake_tds_server.py PORT_FILE LOG_FILE
"""
import hashlib
import json
import socket
import struct
import sys
import threading

# --- token builders ---------------------------------------------------------

def ucs2(text):
    return text.encode('utf-16-le')


def b_varchar(text):
    return bytes([len(text)]) + ucs2(text)


def us_varchar(text):
    return struct.pack('<H', len(text)) + ucs2(text)


DONE_MORE, DONE_ERROR, DONE_COUNT = 0x1, 0x2, 0x10


def done(status=0, count=0, token=0xFD):
    return bytes([token]) + struct.pack('<HHQ', status, 0xC1, count)


def message(number, text, state=1, severity=16, token=0xAA):
    body = struct.pack('<iBB', number, state, severity) + us_varchar(text) + b_varchar('fake') \
        + b_varchar('') + struct.pack('<i', 1)
    return bytes([token]) + struct.pack('<H', len(body)) + body


COLLATION = bytes([0x09, 0x04, 0xD0, 0x00, 0x34])  # Latin1_General_CI_AS

NULLABLE, IDENTITY = 0x0001, 0x0010


def col_int(name, flags=NULLABLE):
    return struct.pack('<IH', 0, flags) + bytes([0x26, 4]) + b_varchar(name)


def col_smallint(name, flags=NULLABLE):
    return struct.pack('<IH', 0, flags) + bytes([0x26, 2]) + b_varchar(name)


def col_nvarchar(name, chars, flags=NULLABLE):
    return struct.pack('<IH', 0, flags) + bytes([0xE7]) + struct.pack('<H', chars * 2) + COLLATION \
        + b_varchar(name)


def col_numeric(name, precision=38, flags=NULLABLE):
    return struct.pack('<IH', 0, flags) + bytes([0x6C, 17, precision, 0]) + b_varchar(name)


def colmetadata(*columns):
    return bytes([0x81]) + struct.pack('<H', len(columns)) + b''.join(columns)


def val_int(value, size=4):
    if value is None:
        return bytes([0])
    return bytes([size]) + value.to_bytes(size, 'little', signed=True)


def val_nvarchar(value):
    if value is None:
        return b'\xff\xff'
    data = ucs2(value)
    return struct.pack('<H', len(data)) + data


def val_numeric(value):
    if value is None:
        return bytes([0])
    return bytes([17, 1 if value >= 0 else 0]) + abs(value).to_bytes(16, 'little')


def row(*values):
    return bytes([0xD1]) + b''.join(values)


def tabname(*tables):
    body = b''.join(bytes([1]) + us_varchar(t) for t in tables)
    return bytes([0xA4]) + struct.pack('<H', len(body)) + body


def colinfo(*entries):
    """entries: (column number, table number, status)"""
    body = b''.join(bytes(e) for e in entries)
    return bytes([0xA5]) + struct.pack('<H', len(body)) + body


def return_status(value):
    return bytes([0x79]) + struct.pack('<i', value)


def return_value_int(ordinal, name, value):
    return bytes([0xAC]) + struct.pack('<H', ordinal) + b_varchar(name) + bytes([0x01]) \
        + struct.pack('<IH', 0, NULLABLE) + bytes([0x26, 4]) + val_int(value)


# --- the types a card uses, with values the test knows ---------------------

CYRILLIC = bytes([0x19, 0x04, 0xD0, 0x00, 0x00])  # Cyrillic_General_CI_AS: code page 1251


def col(name, type_info, flags=NULLABLE):
    return struct.pack('<IH', 0, flags) + type_info + b_varchar(name)


def plp(data):
    if data is None:
        return b'\xff' * 8
    out = struct.pack('<Q', len(data))
    for i in range(0, len(data), 30000):
        chunk = data[i:i + 30000]
        out += struct.pack('<I', len(chunk)) + chunk
    return out + struct.pack('<I', 0)


def image_value(data):
    if data is None:
        return bytes([0])
    return bytes([16]) + b'\x01' * 16 + b'\x00' * 8 + struct.pack('<I', len(data)) + data


def fixed(size, payload):
    return bytes([0]) if payload is None else bytes([size]) + payload


def big_blob():
    return bytes(((i * 131 + i // 7) & 0xFF) for i in range(1024 * 1024 + 17))


def long_text():
    return ''.join('Ёжик в тумане №%d; ' % i for i in range(20000))


def types_answer():
    columns = colmetadata(
        col('n_int', bytes([0x26, 4])),
        col('n_small', bytes([0x26, 2])),
        col('flag', bytes([0x68, 1])),
        col('salary', bytes([0x6E, 8])),
        col('ratio', bytes([0x6D, 8])),
        col('amount', bytes([0x6A, 17, 18, 2])),
        col('stamp', bytes([0x6F, 8])),
        col('born', bytes([0x28])),
        col('name', bytes([0xA7]) + struct.pack('<H', 50) + CYRILLIC),
        col('memo', bytes([0xE7, 0xFF, 0xFF]) + COLLATION),
        col('scan', bytes([0xA5, 0xFF, 0xFF])),
        col('photo', bytes([0x22]) + struct.pack('<I', 0x7FFFFFFF) + bytes([1]) + us_varchar('TEACHER')),
    )
    days_1900 = 45349  # 2024-02-29
    ticks = (13 * 3600 + 45 * 60 + 30) * 300 + 75  # 13:45:30.250
    born = (726648).to_bytes(3, 'little')  # 1990-07-01, days since 0001-01-01
    money = 12345678  # 1234.5678 in ten-thousandths
    values = row(
        val_int(-2147483648), val_int(-7, 2), fixed(1, b'\x01'),
        fixed(8, struct.pack('<iI', money >> 32, money & 0xFFFFFFFF)),
        fixed(8, struct.pack('<d', 2.5)),
        bytes([9, 1]) + (123456).to_bytes(8, 'little'),
        fixed(8, struct.pack('<iI', days_1900, ticks)),
        bytes([3]) + born,
        val_varchar_1251('Иванов Пётр'),
        plp(long_text().encode('utf-16-le')),
        plp(big_blob()),
        image_value(big_blob()))
    nulls = row(val_int(None), val_int(None, 2), bytes([0]), bytes([0]), bytes([0]), bytes([0]), bytes([0]),
                bytes([0]), b'\xff\xff', plp(None), plp(None), image_value(None))
    return columns + values + nulls + done(DONE_COUNT, 2)


def val_varchar_1251(text):
    data = text.encode('cp1251')
    return struct.pack('<H', len(data)) + data


# --- scripted answers -------------------------------------------------------

IDENTITY_SEED = [41]


def answer(sql):
    s = sql.lower()
    if 'sp_pkeys' in s or 'primary' in s and 'sp_' in s:
        return (colmetadata(col_nvarchar('TABLE_QUALIFIER', 128), col_nvarchar('TABLE_OWNER', 128),
                            col_nvarchar('TABLE_NAME', 128), col_nvarchar('COLUMN_NAME', 128),
                            col_smallint('KEY_SEQ'), col_nvarchar('PK_NAME', 128))
                + row(val_nvarchar('kadry'), val_nvarchar('dbo'), val_nvarchar('TEACHER'),
                      val_nvarchar('id_teacher'), val_int(1, 2), val_nvarchar('PK_TEACHER'))
                + done(DONE_COUNT | DONE_MORE, 1, 0xFF) + return_status(0) + done(0, 0, 0xFE))
    if 'scope_identity()' in s:
        IDENTITY_SEED[0] += 1
        return (done(DONE_COUNT | DONE_MORE, 1)
                + colmetadata(col_numeric(''))
                + row(val_numeric(IDENTITY_SEED[0])) + done(DONE_COUNT, 1))
    if 'count_then_select' in s:
        # A procedure without SET NOCOUNT ON: a row count comes before its rows.
        return (done(DONE_COUNT | DONE_MORE, 3, 0xFF)
                + colmetadata(col_int('id'), col_nvarchar('t_fio', 50))
                + row(val_int(1), val_nvarchar('Иванов Иван')) + row(val_int(2), val_nvarchar(None))
                + done(DONE_COUNT | DONE_MORE, 2, 0xFF)
                + colmetadata(col_int('other')) + row(val_int(9)) + done(DONE_COUNT | DONE_MORE, 1, 0xFF)
                + return_status(0) + done(0, 0, 0xFE))
    if 'raise_after_rows' in s:
        return (colmetadata(col_int('deleted')) + row(val_int(0)) + done(DONE_COUNT | DONE_MORE, 1, 0xFF)
                + message(50000, 'Удалить сотрудника нельзя: есть приказы') + done(DONE_ERROR | DONE_MORE, 0, 0xFF)
                + return_status(1) + done(DONE_ERROR, 0, 0xFE))
    if 'teachers' in s:
        return message(208, "Invalid object name 'TEACHERS'.") + done(DONE_ERROR)
    if 'denied_table' in s:
        return message(229, "The SELECT permission was denied on the object 'denied_table', database 'kadry', "
                            "schema 'dbo'.", 5, 14) + done(DONE_ERROR)
    if 'fk_delete' in s:
        return (message(547, 'The DELETE statement conflicted with the REFERENCE constraint "FK_x".', 0, 16)
                + message(3621, 'The statement has been terminated.', 0, 0, 0xAB) + done(DONE_ERROR | DONE_COUNT, 0))
    if 'deadlock_me' in s:
        return message(1205, 'Transaction (Process ID 53) was deadlocked on lock resources with another '
                             'process and has been chosen as the deadlock victim. Rerun the transaction.', 51, 13) \
            + done(DONE_ERROR)
    if 'browse_hidden' in s:
        # Browse mode adds the key a statement did not select, marked hidden.
        return (colmetadata(col_nvarchar('t_fio', 100), col_int('id_teacher', 0x0008 | IDENTITY))
                + tabname('TEACHER') + colinfo((1, 1, 0x00), (2, 1, 0x18))
                + row(val_nvarchar('Пётр'), val_int(7)) + done(DONE_COUNT, 1))
    if 'browse_teacher' in s:
        return (colmetadata(col_int('id_teacher', 0x0008 | IDENTITY), col_nvarchar('t_fio', 100),
                            col_nvarchar('shout', 101))
                + tabname('TEACHER') + colinfo((1, 1, 0x08), (2, 1, 0x00), (3, 0, 0x04))
                + row(val_int(7), val_nvarchar('Пётр'), val_nvarchar('Пётр!')) + done(DONE_COUNT, 1))
    if 'update_family_staus' in s:
        return return_status(5) + return_value_int(3, '@NewStatus', 77) + done(0, 0, 0xFE)
    if 'wait_forever' in s:
        return None  # only the client's attention gets an answer
    if 'drop_connection' in s:
        raise ConnectionError('dropped on purpose')
    if 'select_types' in s:
        return types_answer()
    if 'select_cyrillic' in s:
        return (colmetadata(col_nvarchar('fio', 60))
                + row(val_nvarchar('Ёлкина Анна-Мария')) + row(val_nvarchar(None)) + done(DONE_COUNT, 2))
    if s.startswith('update') or s.startswith('delete') or s.startswith('insert'):
        return done(DONE_COUNT, 1)
    return done(0)


TRANSACTION_DESCRIPTOR = struct.pack('<Q', 0x2A)


def transaction_answer(request):
    """The ENVCHANGE a server sends for a begin (8), commit (9) or rollback (10)."""
    kinds = {5: 8, 7: 9, 8: 10}
    if request not in kinds:
        return b''
    new, old = (TRANSACTION_DESCRIPTOR, b'') if request == 5 else (b'', TRANSACTION_DESCRIPTOR)
    body = bytes([kinds[request], len(new)]) + new + bytes([len(old)]) + old
    return bytes([0xE3]) + struct.pack('<H', len(body)) + body


# --- protocol ---------------------------------------------------------------

class Client:
    def __init__(self, sock, log):
        self.sock = sock
        self.log = log

    def read_exact(self, n):
        data = b''
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise EOFError
            data += chunk
        return data

    def read_message(self):
        kind, payload = None, b''
        while True:
            header = self.read_exact(8)
            kind, status, length = header[0], header[1], struct.unpack('>H', header[2:4])[0]
            payload += self.read_exact(length - 8)
            if status & 0x01:
                return kind, payload

    def send(self, kind, payload):
        size = 4096 - 8
        chunks = [payload[i:i + size] for i in range(0, len(payload), size)] or [b'']
        for i, chunk in enumerate(chunks):
            status = 0x01 if i == len(chunks) - 1 else 0x00
            self.sock.sendall(struct.pack('>BBHHBB', kind, status, len(chunk) + 8, 0, (i + 1) % 256, 0) + chunk)

    def record(self, **entry):
        with self.log['lock']:
            with open(self.log['path'], 'a', encoding='utf-8') as f:
                f.write(json.dumps(entry, ensure_ascii=False) + '\n')

    def prelogin(self):
        options = [(0x00, struct.pack('>IH', 0x10000FA0, 0)), (0x01, bytes([0x02]))]
        head_len = 5 * len(options) + 1
        head, data = b'', b''
        for token, value in options:
            head += struct.pack('>BHH', token, head_len + len(data), len(value))
            data += value
        self.send(0x04, head + b'\xff' + data)

    def login(self, payload):
        def field(index):
            offset, length = struct.unpack('<HH', payload[36 + 4 * index:40 + 4 * index])
            return payload[offset:offset + 2 * length]
        user = field(1).decode('utf-16-le')
        raw = field(2)
        password = bytes((((b ^ 0xA5) << 4) | ((b ^ 0xA5) >> 4)) & 0xFF for b in raw).decode('utf-16-le')
        database = field(8).decode('utf-16-le')
        self.record(event='login', user=user, password=password, database=database)
        if user == 'wrong':
            self.send(0x04, message(18456, "Login failed for user 'wrong'.", 1, 14) + done(DONE_ERROR))
            return False
        ack_body = bytes([1]) + bytes([0x74, 0x00, 0x00, 0x04]) + b_varchar('Microsoft SQL Server') \
            + bytes([16, 0, 0x10, 0xA0])
        ack = bytes([0xAD]) + struct.pack('<H', len(ack_body)) + ack_body
        env = b_varchar(database or 'master') + b_varchar('master')
        env_db = bytes([0xE3]) + struct.pack('<H', 1 + len(env)) + bytes([1]) + env
        coll = bytes([7, 5]) + COLLATION + bytes([0])
        env_coll = bytes([0xE3]) + struct.pack('<H', len(coll)) + coll
        self.send(0x04, env_db + env_coll + ack + done(0))
        return True

    @staticmethod
    def skip_all_headers(payload):
        total = struct.unpack('<I', payload[:4])[0]
        return payload[total:]

    def rpc_text(self, payload):
        body = self.skip_all_headers(payload)
        name_len = struct.unpack('<H', body[:2])[0]
        if name_len == 0xFFFF:
            proc_id = struct.unpack('<H', body[2:4])[0]
            name, pos = 'proc#%d' % proc_id, 4
        else:
            name, pos = body[2:2 + 2 * name_len].decode('utf-16-le'), 2 + 2 * name_len
        pos += 2  # option flags
        if not name.startswith('proc#'):
            return name, 'rpc ' + name
        # first parameter: the statement text, an nvarchar
        plen = body[pos]
        pos += 1 + 2 * plen + 1  # name, status
        type_id = body[pos]
        pos += 1
        if type_id == 0x63:  # ntext: length, collation, then length and text
            size = struct.unpack('<I', body[pos + 9:pos + 13])[0]
            return name, body[pos + 13:pos + 13 + size].decode('utf-16-le')
        if type_id not in (0xE7, 0xEF):
            return name, ''
        max_len = struct.unpack('<H', body[pos:pos + 2])[0]
        pos += 2 + 5
        if max_len == 0xFFFF:
            pos += 8
            text = b''
            while True:
                chunk = struct.unpack('<I', body[pos:pos + 4])[0]
                pos += 4
                if chunk == 0:
                    break
                text += body[pos:pos + chunk]
                pos += chunk
        else:
            size = struct.unpack('<H', body[pos:pos + 2])[0]
            text = body[pos + 2:pos + 2 + size]
        return name, text.decode('utf-16-le')

    @staticmethod
    def read_plp(body, pos):
        total = struct.unpack('<Q', body[pos:pos + 8])[0]
        pos += 8
        if total == 0xFFFFFFFFFFFFFFFF:
            return None, pos
        data = b''
        while True:
            chunk = struct.unpack('<I', body[pos:pos + 4])[0]
            pos += 4
            if chunk == 0:
                return data, pos
            data += body[pos:pos + chunk]
            pos += chunk

    def read_param(self, body, pos):
        """One RPC parameter: (name, value as JSON-friendly text or None, next position)."""
        name_len = body[pos]
        name = body[pos + 1:pos + 1 + 2 * name_len].decode('utf-16-le')
        pos += 1 + 2 * name_len + 1  # name, status flags
        t = body[pos]
        pos += 1
        if t in (0x26, 0x68, 0x6D, 0x6F, 0x24):  # length-prefixed fixed types
            pos += 1
            size = body[pos]
            data = body[pos + 1:pos + 1 + size]
            pos += 1 + size
            if size == 0:
                return name, None, pos
            if t == 0x26:
                return name, str(int.from_bytes(data, 'little', signed=True)), pos
            if t == 0x68:
                return name, str(data[0]), pos
            if t == 0x6D:
                return name, repr(struct.unpack('<d' if size == 8 else '<f', data)[0]), pos
            if t == 0x6F:
                days, ticks = struct.unpack('<iI', data)
                return name, 'datetime %d %d' % (days, ticks), pos
            return name, data.hex(), pos
        if t == 0x2A:  # datetime2(scale)
            scale = body[pos]
            size = body[pos + 1]
            data = body[pos + 2:pos + 2 + size]
            pos += 2 + size
            if size == 0:
                return name, None, pos
            time_len = size - 3
            units = int.from_bytes(data[:time_len], 'little')
            days = int.from_bytes(data[time_len:], 'little')
            return name, 'datetime2 %d %d %d' % (days, units, scale), pos
        if t in (0xE7, 0xA7, 0xA5):
            max_len = struct.unpack('<H', body[pos:pos + 2])[0]
            pos += 2 + (5 if t != 0xA5 else 0)
            if max_len == 0xFFFF:
                data, pos = self.read_plp(body, pos)
            else:
                size = struct.unpack('<H', body[pos:pos + 2])[0]
                pos += 2
                data = None if size == 0xFFFF else body[pos:pos + size]
                pos += 0 if data is None else size
            if data is None:
                return name, None, pos
            if t == 0xE7:
                return name, data.decode('utf-16-le'), pos
            if t == 0xA7:
                return name, data.decode('cp1251'), pos
            return name, 'bytes %d %s' % (len(data), hashlib.sha1(data).hexdigest()), pos
        if t in (0x63, 0x23, 0x22):
            pos += 4 + (5 if t != 0x22 else 0)
            size = struct.unpack('<i', body[pos:pos + 4])[0]
            pos += 4
            if size < 0:
                return name, None, pos
            data = body[pos:pos + size]
            pos += size
            if t == 0x63:
                return name, data.decode('utf-16-le'), pos
            if t == 0x23:
                return name, data.decode('cp1251'), pos
            return name, 'bytes %d %s' % (len(data), hashlib.sha1(data).hexdigest()), pos
        raise ValueError('parameter type 0x%02x' % t)

    def rpc_parameters(self, payload):
        body = self.skip_all_headers(payload)
        name_len = struct.unpack('<H', body[:2])[0]
        pos = 4 if name_len == 0xFFFF else 2 + 2 * name_len
        pos += 2
        params = []
        try:
            while pos < len(body):
                name, value, pos = self.read_param(body, pos)
                params.append([name, value])
        except (ValueError, IndexError, UnicodeDecodeError) as e:
            params.append(['unparsed', str(e)])
        return params

    def serve(self):
        try:
            kind, payload = self.read_message()
            if kind == 0x12:
                self.prelogin()
                kind, payload = self.read_message()
            if kind != 0x10 or not self.login(payload):
                return
            while True:
                kind, payload = self.read_message()
                if kind == 0x01:
                    sql = self.skip_all_headers(payload).decode('utf-16-le')
                    self.record(event='batch', sql=sql)
                    reply = answer(sql)
                    if reply is not None:
                        self.send(0x04, reply)
                elif kind == 0x03:
                    name, sql = self.rpc_text(payload)
                    self.record(event='rpc', name=name, sql=sql, params=self.rpc_parameters(payload))
                    # Parameters are not parsed; match on every text the request carries.
                    carried = payload.decode('utf-16-le', 'ignore') + payload[1:].decode('utf-16-le', 'ignore')
                    reply = answer(sql + ' ' + carried)
                    if reply is not None:
                        self.send(0x04, reply)
                elif kind == 0x0E:  # transaction manager request
                    body = self.skip_all_headers(payload)
                    request = struct.unpack('<H', body[:2])[0]
                    names = {5: 'begin', 7: 'commit', 8: 'rollback'}
                    self.record(event='transaction', request=names.get(request, str(request)))
                    self.send(0x04, transaction_answer(request) + done(0))
                elif kind == 0x06:  # attention: the client gave up waiting
                    self.record(event='attention')
                    self.send(0x04, done(0x20))
                else:
                    self.send(0x04, done(0))
        except (EOFError, ConnectionError):
            pass
        finally:
            self.sock.close()


def main():
    port_file, log_path = sys.argv[1], sys.argv[2]
    log = {'path': log_path, 'lock': threading.Lock()}
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(('127.0.0.1', 0))
    server.listen(8)
    with open(port_file + '.tmp', 'w') as f:
        f.write(str(server.getsockname()[1]))
    import os
    os.replace(port_file + '.tmp', port_file)
    while True:
        sock, _ = server.accept()
        threading.Thread(target=Client(sock, log).serve, daemon=True).start()


if __name__ == '__main__':
    main()
