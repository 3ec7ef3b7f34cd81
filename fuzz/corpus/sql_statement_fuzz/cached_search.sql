SELECT ID, tel, fio, Name, Story
FROM tel
WHERE fio LIKE'%ИВ%'
ORDER BY Name
